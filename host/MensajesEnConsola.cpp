#include "MensajesEnConsola.h"

#include <cstdio>

int MensajesEnConsola::MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo)
{
    if ((nEstilo & 0x70) == Msg::Critico)
        ++m_nErrores;
    // "Error no. 7042: ..." says already that it is an error: the title is not said twice.
    QString cLinea = cTexto.startsWith(cTitulo) ? cTexto : cTitulo + QStringLiteral(": ") + cTexto;
    cLinea.replace(QChar(13), QChar(10));
    std::fprintf(stderr, "%s\n", cLinea.toUtf8().constData());
    std::fflush(stderr);
    return (nEstilo & 0x0F) == Msg::SiNo ? Msg::No : Msg::Aceptar;
}
