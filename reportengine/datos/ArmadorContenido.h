#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include "../rpt/DisenoReporte.h"
#include "ContenidoReporte.h"
#include "DatosReporte.h"

// Builds the content of a report from its layout, the formulas put and the query's rows:
// which series columns are shown (those whose formula was put), the value of every cell,
// the row sums over the series, the column totals and the filled-in header lines.
class ArmadorContenido
{
public:
    // formulas: values by lower-case name, as FormulasReporte::Valores gives them.
    ArmadorContenido(const DisenoReporte &diseno, const QHash<QString, QString> &formulas,
                     const QDateTime &fechaImpresion);

    // Throws ErrorReporte: CampoFaltante for a column the query does not give, NumeroNoValido
    // for a numeric column holding something else, Desbordamiento for a sum too large,
    // ArchivoDanado for a layout text that does not parse.
    ContenidoReporte Arma(const DatosReporte &datos) const;

private:
    struct CeldaPreparada;

    QString ValorDelMotor(const QString &cNombre, qsizetype nFilas) const;
    QString Formula(const QString &cNombre) const { return m_formulas.value(cNombre.toLower()); }
    PlantillaTexto Analiza(const QString &cTexto) const;
    // The text with its formulas and engine values filled in; page numbers stay, and query
    // fields stay when bConservaCampos (a detail cell) or come out empty.
    PlantillaTexto ResuelveFijos(const QString &cTexto, qsizetype nFilas, bool bConservaCampos = false) const;
    QString TextoFijo(const QString &cTexto, qsizetype nFilas) const;
    LineaContenido Linea(const LineaFija &linea, qsizetype nFilas) const;

    const DisenoReporte &m_diseno;
    QHash<QString, QString> m_formulas;
    QDateTime m_fechaImpresion;
    QList<int> m_serieVisible; // the series numbers shown, in order
};
