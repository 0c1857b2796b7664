#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "Connection.h"
#include "FiltrosInforme.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "Recordset.h"

class CajaFecha;
class ControlReporte;
class DataCombo;
class HostError;
class QLabel;
class ReporteVentas12Meses;
class VentanaOcupada;
class QLineEdit;
class QPushButton;
struct HostContext;

// The main window: the filters of the twelve-month report and its print button. It owns
// the host objects, the settings file path and the connection to the host database.
class frmInicial : public QWidget
{
    Q_OBJECT
public:
    // cRutaEjecutable: the program's executable, which names the settings file beside it
    // and whose folder holds the report file; crpReporte: the report control of the window.
    frmInicial(const HostContext &contexto, const QString &cRutaEjecutable, ControlReporte &crpReporte,
               QWidget *pPadre = nullptr);
    ~frmInicial() override;

    // Loads the window and shows it centred. On a failure the error box is shown and the
    // answer is false: the program must end.
    bool Abre();

    // The session ends (the desktop's logout, a SIGTERM): closes without asking, after a run
    // under way is cancelled as "Cancelar" cancels it, so that its table and the server's lock
    // do not outlive the program.
    void TerminaSesion();

    static QString DisenoCaption() { return QStringLiteral("Informe mensual"); }
    static QString VersionCaption(); // "   v major.minor.revision"

    const QString &ArchivoIni() const { return m_cArchivoIni; }
    const ObjetosPrograma &Objetos() const { return m_objetos; }
    qint16 MonedaUSD() const { return m_nMonedaUSD; }
    const ParametrosRpt &Parametros() const { return m_parametros; }

    // The filters as the fields hold them now.
    FiltrosInforme LeeFiltros() const;

    // What F1 and the context menu's "Descripción del programa" open (the program's
    // description window, which the program hands in).
    void setAbreDescripcion(std::function<void()> abre) { m_abreDescripcion = std::move(abre); }

signals:
    // The program must end now with this exit status (a failure during start-up, or the
    // window unloaded after a failure).
    void programaTerminado(int nCodigo);
    // The first activation read the settings and opened the host database: the report
    // control may take its waits.
    void conectada(const Esperas &esperas);

protected:
    bool event(QEvent *pEvento) override;
    bool eventFilter(QObject *pObjeto, QEvent *pEvento) override;
    void closeEvent(QCloseEvent *pEvento) override;

private:
    void ColocaControles();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void TerminaPorFalla(const HostError &error);
    void ConectaCampos();

    // Handlers of the fields; a failure is shown and the window stays usable.
    void txtDato_Change(int nIndice);
    void dtcVendedor_Change();
    void mkeFecha_Validate(int nIndice);
    void cmdImprimir_Click();
    void CancelaInforme();
    void CancelaComoCancelar(); // through the progress window when it is up
    bool TeclaDeCampo(QWidget *pCampo, QKeyEvent *pEvento);
    void EcoNombre(QLabel *pEtiqueta, const QString &cTabla, const QString &cCodigo);
    template <class F> void SinFallaSilenciosa(F &&manejador);

    const HostContext &m_contexto;
    QString m_cRutaEjecutable;
    ControlReporte &m_crpReporte;
    ObjetosPrograma m_objetos;
    QString m_cArchivoIni;
    bool m_bPrimeraVez = true;
    bool m_bTerminado = false;
    Connection m_cnnDatos;
    Recordset m_rsLineas;
    Recordset m_rsVendedores;
    qint16 m_nMonedaUSD = 0;
    ParametrosRpt m_parametros;
    bool m_bReenviandoTecla = false;
    std::function<void()> m_abreDescripcion;
    ReporteVentas12Meses *m_pInformeEnCurso = nullptr; // while a report runs
    bool m_bCerrarAlTerminar = false;                  // a close answered Yes during the run
    std::unique_ptr<VentanaOcupada> m_pOcupada;        // the window's look while a report runs

    QLabel *m_pLabel[7] = {};
    CajaFecha *m_pmkeFecha[2] = {};
    QLineEdit *m_ptxtDato = nullptr;
    DataCombo *m_pdtcVendedor = nullptr;
    DataCombo *m_pdcboLinea = nullptr;
    QPushButton *m_pcmdImprimir = nullptr;
    QLabel *m_plblEstado = nullptr; // what a report run is doing, or how it ended
};
