#include "LecturaBinaria.h"

#include <QtEndian>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

void LecturaBinaria::Falla(const QString &cDetalle) const
{
    throw ErrorReporte(
        CodigoErrorRpt::ArchivoDanado,
        QStringLiteral("El archivo de reporte está dañado: %1 (byte %2 del diseño).").arg(cDetalle).arg(m_nPosicion));
}

void LecturaBinaria::Necesita(qsizetype nBytes) const
{
    if (nBytes < 0 || m_bytes.size() - m_nPosicion < nBytes)
        Falla(QStringLiteral("el diseño acaba antes de tiempo"));
}

quint8 LecturaBinaria::Byte()
{
    Necesita(1);
    return quint8(m_bytes[m_nPosicion++]);
}

qint32 LecturaBinaria::Entero()
{
    Necesita(4);
    const qint32 n = qFromLittleEndian<qint32>(m_bytes.constData() + m_nPosicion);
    m_nPosicion += 4;
    return n;
}

qint32 LecturaBinaria::Entero(qint32 nMinimo, qint32 nMaximo, const char *cQue)
{
    const qint32 n = Entero();
    if (n < nMinimo || n > nMaximo)
        Falla(QStringLiteral("%1 vale %2, fuera de %3 a %4")
                  .arg(QString::fromUtf8(cQue))
                  .arg(n)
                  .arg(nMinimo)
                  .arg(nMaximo));
    return n;
}

QString LecturaBinaria::Texto()
{
    const qint32 nLargo = Entero();
    Necesita(nLargo);
    const QString cTexto = QString::fromUtf8(m_bytes.constData() + m_nPosicion, nLargo);
    m_nPosicion += nLargo;
    return cTexto;
}

int LecturaBinaria::Cuenta(int nMaximo, const char *cQue)
{
    const qint32 n = Entero();
    if (n < 0 || n > nMaximo || n > m_bytes.size() - m_nPosicion)
        Falla(QStringLiteral("número de %1 imposible (%2)").arg(QString::fromUtf8(cQue)).arg(n));
    return n;
}

bool LecturaBinaria::Bool()
{
    const quint8 n = Byte();
    if (n > 1)
        Falla(QStringLiteral("un valor sí/no vale %1").arg(n));
    return n == 1;
}
