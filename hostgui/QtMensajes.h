#pragma once

#include "Mensajes.h"

// Message boxes shown as modal QMessageBox windows.
class QtMensajes : public Mensajes
{
public:
    int MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo) override;
};
