#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <vector>

class Mensajes;
class Utilerias;

// One calendar month of the report period, with the formula that labels its column.
struct MonthColumn
{
    quint8 nPosicion = 0; // 1 to 12, in the order of the period
    quint8 nMes = 0;      // 1 to 12
    qint16 nAnio = 0;
    QString cEtiqueta; // e.g. Mes1='ene-24'

    bool operator==(const MonthColumn &) const = default;
};

namespace Periodo {

constexpr int nMaximoMeses = 12;

// (year - 2000) * 12 + month: January 2000 is 1, consecutive months are consecutive numbers.
qint16 NumeroMes(const QDate &dFecha);

// Calendar-month boundaries from the start to the end; the days do not count, and the
// answer is negative when the end month lies before the start month.
int MesesEntre(const QDate &dInicial, const QDate &dFinal);

// False, after telling the user, when the period spans more than twelve calendar months.
bool Prueba(const QDate &dInicial, const QDate &dFinal, Mensajes &mensajes);

// The locale whose abbreviated month names label the columns: the user's, or Spanish,
// the program's own language, when the user has only the bare C/POSIX one.
QLocale LocaleDeMeses(const QLocale &usuario = QLocale());

// The first day of the month formatted "mmm-yy": abbreviated month name, hyphen, two-digit year.
QString NombreCorto(int nMes, int nAnio, const QLocale &locale);

// One column per calendar month from the start month to the end month (none when the end
// month comes first); the label of position p is "Mes" + p + CambXXX("='XXX'", short name).
std::vector<MonthColumn> Columnas(const QDate &dInicial, const QDate &dFinal, const Utilerias &utilerias,
                                  const QLocale &locale);

} // namespace Periodo
