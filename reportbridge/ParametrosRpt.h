#pragma once

#include <QString>
#include <QStringList>

#include <array>

// Where a job sends the report: Propiedad15's values, the report control's own numbers (kept
// equal to them where the bridge hands them over).
enum class DestinoRpt : qint32 { Ventana = 0, Impresora = 1, Archivo = 2 };

// The request for one report job: the settings handed to the report control, property by
// property (the number is the property's dispatch identifier), and the formula slots.
struct ParametrosRpt
{
    static constexpr int nFormulas = 21;

    qint32 Propiedad15 = 0; // destination
    QString ArchivoRpt;     // full path of the report file
    qint16 Propiedad24 = 0; // copies
    qint16 Propiedad25 = 0;
    QString Propiedad12;                // output file
    QStringList Propiedad30{QString()}; // only entry 0 is handed over
    QString Propiedad13;                // window title
    QString Propiedad47;
    QString Propiedad48;
    QString Propiedad49;
    std::array<QString, nFormulas> Formulas; // each non-empty entry goes to the slot of its index
};

// Puts every field back to its reset value: empty texts, zeros, Propiedad30 a list of one
// empty entry, 21 empty formulas.
void LimpiaParametrosRpt(ParametrosRpt &parametros);
