#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "ArchivoRpt.h"

// Turns the readable definition of a report into a report file. The definition is a text
// file read line by line; a line whose first visible character is "#" is a comment, words
// are separated by blanks and texts go in double quotes (\" and \\ inside them):
//
//   reporte "Título"
//   tabla 1 odbc "Origen de datos" base.tabla        (tables numbered 1, 2, ... in order;
//   tabla 2 archivo "datos.mdb" tabla                  "archivo": a local-file table)
//   formula NOMBRE [NOMBRE ...]                      (formulas that property 29 may set)
//   consulta                                         (the SQL, up to a line "fin";
//     SELECT ... FROM {T1} ...                        {Tn} is table n)
//   fin
//   pagina A4|A3|A5|Carta|Oficio horizontal|vertical [margen MM] [fuente "Familia"] [puntos P]
//   encabezado|pie SEGMENTO [SEGMENTO ...] [negrita] [puntos P]
//       SEGMENTO: izquierda|centro|derecha "texto" [vacio "texto si los campos salen vacíos"]
//   serie DESDE a HASTA si FORMULA#                  (the columns up to its "fin" repeat for
//     columna ...                                     each number n whose formula, # = n,
//   fin                                               was put)
//   columna "título" auto|resto [MM]|MM              (one block per column, its lines in
//     texto "plantilla" [csv "título"]                order: line 1, line 2, ...; "csv"
//     rotulo "texto fijo"                             names the value's CSV column)
//     numero CAMPO [decimales [hasta] N] [csv "título"]  (N decimals on paper; "hasta N": the
//     suma CAMPO# [decimales [hasta] N] [csv "título"]   column's own, at most N. The CSV always
//                                                     has the column's own. A suma adds CAMPOn
//                                                     over the series shown)
//     vacia
//   fin
//   totales "rótulo"                                 (a row of column totals at the end)
//
// Texts hold fields as DisenoReporte.h describes. A failure is an ErrorReporte
// (DefinicionNoValida) whose text starts with the line number.
class CompiladorRpt
{
public:
    static ArchivoRpt Compila(const QString &cDefinicion);

    // Reads the definition file (UTF-8) and writes the report file.
    static void CompilaArchivo(const QString &cDefinicion, const QString &cSalida);

private:
    enum class Bloque { Ninguno, Consulta, Serie, Columna };

    struct Palabra
    {
        QString cTexto;
        bool bEntreComillas = false;
    };

    // A text checked once the whole definition is read, when every formula and the series are known.
    struct TextoPorVerificar
    {
        int nLinea = 0;
        QString cTexto;
        bool bEnSerie = false;
        bool bPorPagina = false;    // header and footer may show the page numbers
        bool bAceptaCampos = false; // only a detail cell has a row to take query fields from
    };

    CompiladorRpt() = default;
    ArchivoRpt CompilaTexto(const QString &cDefinicion);

    [[noreturn]] void Falla(const QString &cDetalle) const { FallaEn(m_nLinea, cDetalle); }
    [[noreturn]] static void FallaEn(int nLinea, const QString &cDetalle);

    QList<Palabra> Corta(const QString &cLinea) const;
    void Instruccion(const QList<Palabra> &palabras);
    void InstruccionDeColumna(const QList<Palabra> &palabras);

    // The words of the current line, one after the other.
    bool HayMas() const { return m_nPalabra < m_palabras.size(); }
    QString Siguiente(const QString &cQueSeEspera);
    QString SiguienteTexto(const QString &cQueSeEspera);
    int SiguienteEntero(const QString &cQueSeEspera, int nMinimo, int nMaximo);
    int SiguienteDecimas(const QString &cQueSeEspera, int nMinimo, int nMaximo);
    void SinMas();

    void Reporte();
    void Tabla();
    void Formulas();
    void Pagina();
    LineaFija LineaFijaDeInstruccion();
    void Serie();
    void Columna();
    void Totales();
    void Cierra();

    void Verifica(const QString &cTexto, bool bPorPagina = false, bool bAceptaCampos = false);
    void VerificaTodo();
    QString FormulaDeSerie(int n) const
    {
        return QString(m_archivo.diseno.serie.cFormula).replace(u'#', QString::number(n));
    }

    ArchivoRpt m_archivo;
    int m_nLinea = 0;
    QList<Palabra> m_palabras;
    qsizetype m_nPalabra = 0;
    Bloque m_bloque = Bloque::Ninguno;
    bool m_bEnSerie = false;
    bool m_bHayReporte = false;
    bool m_bHayConsulta = false;
    bool m_bHubeSerie = false;
    int m_nLineaConsulta = 0;
    int m_nLineaColumna = 0;
    int m_nLineaSerie = 0;
    int m_nColumnasEnSerie = 0;
    QStringList m_lineasConsulta;
    QList<TextoPorVerificar> m_textos;
    QList<QPair<int, QString>> m_sumas; // line and column name of each "suma"
};
