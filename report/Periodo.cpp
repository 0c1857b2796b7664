#include "Periodo.h"

#include "Mensajes.h"
#include "Utilerias.h"

namespace Periodo {

qint16 NumeroMes(const QDate &dFecha)
{
    return qint16((dFecha.year() - 2000) * 12 + dFecha.month());
}

int MesesEntre(const QDate &dInicial, const QDate &dFinal)
{
    return (dFinal.year() * 12 + dFinal.month()) - (dInicial.year() * 12 + dInicial.month());
}

bool Prueba(const QDate &dInicial, const QDate &dFinal, Mensajes &mensajes)
{
    const int n = MesesEntre(dInicial, dFinal);
    if (n == nMaximoMeses) {
        mensajes.MsgBox(QStringLiteral("Desde el mes %1 del año inicial hasta el %2 del año final, son más de 12 meses")
                            .arg(dInicial.month())
                            .arg(dFinal.month()),
                        Msg::Exclamacion, QStringLiteral("Alerta"));
        return false;
    }
    if (n > nMaximoMeses) {
        mensajes.MsgBox(QStringLiteral("Las fechas indicadas exceden el máximo de 12 meses"), Msg::Critico,
                        QStringLiteral("Alerta"));
        return false;
    }
    return true;
}

QLocale LocaleDeMeses(const QLocale &usuario)
{
    if (usuario.language() == QLocale::C)
        return QLocale(QLocale::Spanish, QLocale::Spain);
    return usuario;
}

QString NombreCorto(int nMes, int nAnio, const QLocale &locale)
{
    return locale.monthName(nMes, QLocale::ShortFormat) + QLatin1Char('-') +
           QStringLiteral("%1").arg(((nAnio % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
}

std::vector<MonthColumn> Columnas(const QDate &dInicial, const QDate &dFinal, const Utilerias &utilerias,
                                  const QLocale &locale)
{
    std::vector<MonthColumn> columnas;
    quint8 nMes = quint8(dInicial.month());
    qint16 nAnio = qint16(dInicial.year());
    // Counted on whole numbers, the span of the two dates can never give more than the
    // twelve columns that the period test lets through.
    for (int i = 0, nUltimo = MesesEntre(dInicial, dFinal); i <= nUltimo && i < nMaximoMeses; ++i) {
        MonthColumn columna;
        columna.nPosicion = quint8(i + 1);
        columna.nMes = nMes;
        columna.nAnio = nAnio;
        columna.cEtiqueta = QStringLiteral("Mes%1").arg(i + 1) +
                            utilerias.CambXXX(QStringLiteral("='XXX'"), NombreCorto(nMes, nAnio, locale));
        columnas.push_back(columna);
        if (++nMes > 12) {
            nMes = 1;
            ++nAnio;
        }
    }
    return columnas;
}

} // namespace Periodo
