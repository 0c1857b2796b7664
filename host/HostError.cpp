#include "HostError.h"

HostError::HostError(int nNumero, const QString &cDescripcion)
    : m_nNumero(nNumero), m_cDescripcion(cDescripcion),
      m_cTexto(QStringLiteral("Error no. %1: %2").arg(nNumero).arg(cDescripcion).toStdString())
{
}
