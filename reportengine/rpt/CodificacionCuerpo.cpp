#include "CodificacionCuerpo.h"

namespace {
bool EsP(char c)
{
    return c == 'p' || c == 'P';
}
bool EsD(char c)
{
    return c == 'd' || c == 'D';
}
} // namespace

QByteArray CodificacionCuerpo::Codifica(const QByteArray &contenido)
{
    QByteArray bytes;
    bytes.reserve(contenido.size() + contenido.size() / 64 + 16);
    char cAnterior = '\0';
    for (const char c : contenido) {
        if (c == cEscape || (EsD(c) && EsP(cAnterior)))
            bytes.append(cEscape);
        bytes.append(c);
        cAnterior = bytes.back();
    }
    return bytes;
}

std::optional<QByteArray> CodificacionCuerpo::Decodifica(const QByteArray &bytes)
{
    QByteArray contenido;
    contenido.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == cEscape) {
            if (++i == bytes.size())
                return std::nullopt;
        }
        contenido.append(bytes[i]);
    }
    return contenido;
}
