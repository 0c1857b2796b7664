#include "Mensajes.h"

#include "HostError.h"

void MuestraError(Mensajes &mensajes, const HostError &error)
{
    mensajes.MsgBox(QStringLiteral("Error no. %1: %2").arg(error.Numero()).arg(error.Descripcion()), Msg::Critico,
                    QStringLiteral("Error"));
}
