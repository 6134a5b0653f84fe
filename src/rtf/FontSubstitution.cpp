#include "rtf/FontSubstitution.h"

namespace eh {

QString substituteFontFamily(const QString& family) {
    const QString f = family.trimmed().toLower();
    if (f == u"arial" || f == u"ms sans serif" || f == u"helvetica" || f == u"ms shell dlg" ||
        f == u"ms shell dlg 2" || f == u"tahoma" || f == u"verdana")
        return QStringLiteral("Liberation Sans");
    if (f == u"times new roman" || f == u"times" || f == u"cg times" || f == u"wp greek century" ||
        f == u"symbol" || f == u"ms serif")
        return QStringLiteral("Liberation Serif");
    if (f == u"courier new" || f == u"courier") return QStringLiteral("Liberation Mono");
    if (f == u"comic sans ms") return QStringLiteral("Comic Neue");
    return family;
}

} // namespace eh
