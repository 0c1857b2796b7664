#include "Conversiones.h"

#include <cmath>
#include <limits>

#include "HostError.h"

qint16 AEntero16(const QVariant &valor, const QString &cQue)
{
    bool bNumero = false;
    const double nValor =
        valor.typeId() == QMetaType::QString ? valor.toString().trimmed().toDouble(&bNumero) : valor.toDouble(&bNumero);
    if (!bNumero || !std::isfinite(nValor))
        throw HostError(CodigoErrorHost::TipoNoCoincide,
                        QStringLiteral("%1 no es un número entero: «%2»").arg(cQue, valor.toString()));
    const double nRedondo = std::nearbyint(nValor); // the default rounding mode: half to even
    if (nRedondo < std::numeric_limits<qint16>::min() || nRedondo > std::numeric_limits<qint16>::max())
        throw HostError(
            CodigoErrorHost::Desbordamiento,
            QStringLiteral("%1 está fuera del intervalo de -32768 a 32767: %2").arg(cQue, valor.toString()));
    return qint16(nRedondo);
}

QString RecortaEspacios(const QString &cTexto)
{
    qsizetype nInicio = 0;
    qsizetype nFin = cTexto.size();
    while (nInicio < nFin && cTexto.at(nInicio) == QLatin1Char(' '))
        ++nInicio;
    while (nFin > nInicio && cTexto.at(nFin - 1) == QLatin1Char(' '))
        --nFin;
    return cTexto.mid(nInicio, nFin - nInicio);
}

QString CodigoEnMayusculas(const QString &cCodigo)
{
    // Character by character, as keys arrive: QString::toUpper would make "ß" two letters.
    QString cResultado = cCodigo;
    for (QChar &c : cResultado)
        c = c.toUpper();
    return cResultado;
}
