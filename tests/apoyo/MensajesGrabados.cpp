#include "MensajesGrabados.h"

int MensajesGrabados::MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo)
{
    m_llamadas.append({cTexto, nEstilo, cTitulo});
    if ((nEstilo & 0x0F) == Msg::SoloAceptar)
        return Msg::Aceptar;
    return m_respuestas.isEmpty() ? Msg::No : m_respuestas.takeFirst();
}
