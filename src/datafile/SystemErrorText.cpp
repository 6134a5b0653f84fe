#include "datafile/SystemErrorText.h"

#include <cerrno>

namespace eh {

std::string systemErrorText(int err) {
    switch (err) {
    case ENOENT:
        return "no existe la carpeta o el fichero";
    case ENOTDIR:
        return "una parte del camino no es una carpeta";
    case EACCES:
    case EPERM:
        return "no hay permiso de acceso";
    case EISDIR:
        return "es una carpeta, no un fichero";
    case ENOSPC:
    case EDQUOT:
        return "el disco está lleno";
    case EFBIG:
        return "el fichero sería demasiado grande";
    case EROFS:
        return "el disco es de solo lectura";
    case ENAMETOOLONG:
        return "el nombre es demasiado largo";
    case ELOOP:
        return "los enlaces simbólicos forman un bucle";
    case ENXIO:
        return "nadie lee de esa tubería o ese dispositivo";
    case ETXTBSY:
        return "el fichero es un programa en uso";
    case EIO:
        return "error de lectura o escritura en el disco";
    default:
        return "error del sistema número " + std::to_string(err);
    }
}

} // namespace eh
