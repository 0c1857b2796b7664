#pragma once

#include "Mensajes.h"

// Message boxes of the batch mode: written to standard error as "Title: text" (the text alone
// when it starts with its title, as "Error no. N: ..." does). Nobody can
// answer a question there, so every question is answered No.
class MensajesEnConsola : public Mensajes
{
public:
    int MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo) override;
    int Errores() const { return m_nErrores; } // boxes with the critical icon written so far

private:
    int m_nErrores = 0;
};
