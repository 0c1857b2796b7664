#pragma once

#include <QList>
#include <QString>

#include "Mensajes.h"

// Message boxes for tests: each call is recorded and answered from a script (OK for a box
// with one button, the next scripted answer for a question; No when the script is empty).
class MensajesGrabados : public Mensajes
{
public:
    struct Llamada
    {
        QString cTexto;
        int nEstilo;
        QString cTitulo;
    };

    int MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo) override;

    void Responde(int nRespuesta) { m_respuestas.append(nRespuesta); }
    const QList<Llamada> &Llamadas() const { return m_llamadas; }
    void Olvida() { m_llamadas.clear(); }

private:
    QList<Llamada> m_llamadas;
    QList<int> m_respuestas;
};
