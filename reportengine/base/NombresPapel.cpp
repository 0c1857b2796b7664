#include "NombresPapel.h"

std::optional<QPageSize::PageSizeId> PapelPorNombre(const QString &cNombre)
{
    const QString c = cNombre.trimmed().toLower();
    if (c == u"a3")
        return QPageSize::A3;
    if (c == u"a4")
        return QPageSize::A4;
    if (c == u"a5")
        return QPageSize::A5;
    if (c == u"carta" || c == u"letter")
        return QPageSize::Letter;
    if (c == u"oficio" || c == u"legal")
        return QPageSize::Legal;
    return std::nullopt;
}
