#pragma once

#include <QList>
#include <QLocale>
#include <QString>

#include <functional>

#include "AjustesImpresion.h"
#include "ControlReporte.h"
#include "FormulasReporte.h"
#include "datos/TextoConexion.h"

class SalidaImpresa;

// Our report control: the properties of PropiedadReporte (ControlReporte.h), the printer and
// paper settings checked by AjustesImpresion. A put that cannot take effect throws
// ErrorReporte and leaves the property as it was; a run that fails throws ErrorReporte with
// the reason (CodigosErrorReporte.h). Every run ends with all the properties back at their
// reset values, so that each job starts from a clean slate. A printer name that was refused
// (property 30) makes the job's run to the printer fail too, instead of printing on the default.
class MotorReporte : public ControlReporte
{
public:
    void PropertyPut(PropiedadReporte propiedad, const QVariant &valor) override;
    void PropertyPutIndexed(PropiedadReporte propiedad, int nIndice, const QVariant &valor) override;
    void PonAvisos(const AvisosReporte &avisos) override { m_avisos = avisos; }

    // Where destinations 0 (preview) and 1 (printer) go, and who knows the printers; without
    // one, a run to them fails (SinPantallaNiImpresora) and no printer name is taken.
    void setSalidaImpresa(SalidaImpresa *pSalida) { m_pSalidaImpresa = pSalida; }
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
    SalidaImpresa &Impresa() const;

    SalidaImpresa *m_pSalidaImpresa = nullptr;
    QLocale m_locale;
    AvisosReporte m_avisos;
    int m_nEsperaConexion = 10;
    int m_nEsperaRespuesta = 300;

    QString m_cArchivoReporte;
    QList<QString> m_ubicaciones;
    FormulasReporte m_formulas;
    TextoConexion m_conexion;
    DestinoReporte m_destino = DestinoReporte::Ventana;
    QString m_cArchivoSalida;
    QString m_cTituloVentana;
    AjustesImpresion m_ajustes;
    QString m_cImpresoraRechazada; // the last printer name refused in this job
};
