#include "ui/analysis/FileState.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/SystemErrorText.h"

namespace eh::analysis {

namespace {

// Why a name that is there cannot be opened for reading.
QString openFailure(int error) {
    switch (error) {
    case ELOOP:
        return QStringLiteral("bucle de enlaces simbólicos");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("el enlace lleva a un fichero que no existe");
    case EACCES:
    case EPERM:
        return QStringLiteral("sin permiso de lectura");
    default:
        return QString::fromStdString(systemErrorText(error));
    }
}

// The reader's messages name the file, which the window shows already.
QString withoutPath(const std::string& message, const QString& path) {
    QString text = QString::fromStdString(message);
    text.remove(path + QStringLiteral(": "));
    text.remove(path + QLatin1Char(' '));
    text.remove(QLatin1Char(' ') + path);
    return text.trimmed();
}

QString noRecordReason(const DataSet& data, long long size) {
    if (size == 0) return QStringLiteral("fichero vacío");
    if (data.rejected.empty()) return QStringLiteral("ningún registro");
    const Rejection& first = data.rejected.front();
    return QStringLiteral("ningún registro aceptado (línea %1: %2)")
        .arg(first.line)
        .arg(QString::fromStdString(first.reason));
}

} // namespace

FileState readFollowedFile(const QString& path, DataSet& data) {
    const QByteArray name = QFile::encodeName(path);
    struct stat entry {};
    if (::lstat(name.constData(), &entry) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {FileStatus::Deleted, {}};
        return {FileStatus::Unreadable, openFailure(errno)};
    }
    // Opened without waiting, so that a named pipe put in the file's place cannot
    // hold the window.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {FileStatus::Unreadable, openFailure(errno)};
    struct stat file {};
    const bool known = ::fstat(fd, &file) == 0;
    ::close(fd);
    if (known && S_ISDIR(file.st_mode)) return {FileStatus::Unreadable, QStringLiteral("es una carpeta")};
    if (!known || !S_ISREG(file.st_mode))
        return {FileStatus::Unreadable, QStringLiteral("no es un fichero normal")};

    DataSet fresh;
    std::string message;
    if (!readDataFile(path.toStdString(), fresh, message))
        return {FileStatus::Unreadable, withoutPath(message, path)};
    if (fresh.records.empty()) return {FileStatus::Unreadable, noRecordReason(fresh, file.st_size)};
    data = std::move(fresh);
    return {};
}

QString statusWord(FileStatus status) {
    switch (status) {
    case FileStatus::UpToDate:
        return QStringLiteral("al día");
    case FileStatus::Deleted:
        return QStringLiteral("borrado");
    case FileStatus::Unreadable:
        break;
    }
    return QStringLiteral("ilegible");
}

QString stateText(const FileState& state) {
    if (state.status != FileStatus::Unreadable || state.reason.isEmpty()) return statusWord(state.status);
    return statusWord(state.status) + QStringLiteral(": ") + state.reason;
}

QString staleNote(const QString& name, const FileState& state) {
    if (state.status == FileStatus::UpToDate) return {};
    return QStringLiteral("Los datos de %1 no corresponden al fichero actual (%2)")
        .arg(name, stateText(state));
}

} // namespace eh::analysis
