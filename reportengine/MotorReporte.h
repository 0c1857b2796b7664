#pragma once

#include <QList>
#include <QLocale>
#include <QString>

#include <functional>

#include "AjustesImpresion.h"
#include "ControlReporte.h"
#include "FormulasReporte.h"
#include "TextoConexion.h"

class QPrintPreviewDialog;
class QWidget;
struct ContenidoReporte;

// Our report control. The bridge sets it up property by property and runs it by putting 1
// into property 17:
//
//    3      report file (.rpt)
//   32[i]   location "base.tabla" of the report's table i + 1 (empty: the one in the file)
//   29[i]   formula slot i, 0 to 20: Name='value'
//   20      connection text "SERVER=...;DB=...;UID=...;PWD=...;"
//   15      destination: 0 a preview window, 1 the printer, 2 a file
//   12      the file for destination 2; .pdf or .csv says which kind
//   13      the preview window's title (empty: the report's title)
//   24, 25, 30[0], 47, 48, 49   printer and paper settings, see AjustesImpresion.h
//   17      1 runs the report (0 does nothing)
//
// With every property at its reset value (0 or empty) a run shows the preview. A put that
// cannot take effect throws ErrorReporte and leaves the property as it was; a run that
// fails throws ErrorReporte with the reason (CodigosErrorReporte.h). Every run ends with all
// the properties back at their reset values, so that each job starts from a clean slate.
class MotorReporte : public ControlReporte
{
public:
    enum Propiedad {
        ArchivoReporte = 3,
        ArchivoSalida = 12,
        TituloVentana = 13,
        Destino = 15,
        Accion = 17,
        Conexion = 20,
        Copias = 24,
        DobleCara = 25,
        Formula = 29,
        Impresora = 30,
        UbicacionTabla = 32,
        Papel = 47,
        Paginas = 48,
        Bandeja = 49,
    };
    enum DestinoReporte { Ventana = 0, ImpresoraDestino = 1, Archivo = 2 };

    explicit MotorReporte(QWidget *pVentanaPadre = nullptr);

    void PropertyPut(int nDispId, const QVariant &valor) override;
    void PropertyPutIndexed(int nDispId, int nIndice, const QVariant &valor) override;
    void PonAvisos(const AvisosReporte &avisos) override { m_avisos = avisos; }

    // What a run does with the ready preview dialog. By default it shows it and waits for the
    // user to close it; tests look at it and close it.
    void setPresentaVistaPrevia(std::function<void(QPrintPreviewDialog &)> presenta);
    // The locale of the numbers on paper (grouping and decimal point); the user's by default.
    void setLocale(const QLocale &locale) { m_locale = locale; }
    // How long, in seconds, the report's connection waits to connect and for each answer of
    // the server before it gives up (ConexionFallida, ConsultaFallida).
    void setEsperas(int nConexion, int nRespuesta)
    {
        m_nEsperaConexion = nConexion;
        m_nEsperaRespuesta = nRespuesta;
    }

private:
    void Ejecuta();
    void OlvidaElTrabajo(); // every property back to its reset value
    void MuestraVistaPrevia(const ContenidoReporte &contenido, const QString &cTitulo);
    void Imprime(const ContenidoReporte &contenido, const QString &cTitulo);
    void EscribePdf(const ContenidoReporte &contenido);

    QWidget *m_pVentanaPadre;
    std::function<void(QPrintPreviewDialog &)> m_presentaVistaPrevia;
    QLocale m_locale;
    AvisosReporte m_avisos;
    int m_nEsperaConexion = 10;
    int m_nEsperaRespuesta = 300;

    QString m_cArchivoReporte;
    QList<QString> m_ubicaciones;
    FormulasReporte m_formulas;
    TextoConexion m_conexion;
    int m_nDestino = Ventana;
    QString m_cArchivoSalida;
    QString m_cTituloVentana;
    AjustesImpresion m_ajustes;
};
