#include "DeArchivos.h"

#include "HostContext.h"
#include "HostError.h"

void DeArchivos::AbreDocumento(QString &cArchivo, int nModo, int nVentana)
{
    Q_UNUSED(nModo);
    Q_UNUSED(nVentana);
    if (!Contexto().abreDocumento)
        throw HostError(CodigoErrorHost::ObjetoNoAsignado, QStringLiteral("No hay con qué abrir documentos"));
    Contexto().abreDocumento(cArchivo);
}
