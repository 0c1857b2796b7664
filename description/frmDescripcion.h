#pragma once

#include <QMainWindow>

class DeArchivos;
class Mensajes;
class QAction;
class QTextEdit;
class libNucleo;

// The description window: a text about the program and a command that opens the settings
// file for editing. It keeps its place and size between runs.
class frmDescripcion : public QMainWindow
{
    Q_OBJECT
public:
    frmDescripcion(libNucleo &nucleo, DeArchivos &archivos, Mensajes &mensajes, const QString &cArchivoIni,
                   QWidget *pPadre = nullptr);

    QTextEdit *Texto() const { return m_prtbTexto; }

    // The text box's size for the window's outer size: the window less the margins that its
    // frame and its menu take, never below 0. The design's margins, 260 and 600 twips, are
    // those of the platform it was drawn on; on screen the window measures its own, so that
    // the box fills the area under the menu whatever the window manager's frame.
    static QSize TamanoDelTexto(const QSize &exterior, const QSize &margenes = QSize(260, 600));
    QAction *AccionDescripcion() const { return m_pmnDescrip; }
    QAction *AccionEditarIni() const { return m_pmnEditINI; }

protected:
    void resizeEvent(QResizeEvent *pEvento) override;
    void closeEvent(QCloseEvent *pEvento) override;

private:
    void Form_Resize();
    void mnEditINI_Click();

    libNucleo &m_nucleo;
    DeArchivos &m_archivos;
    Mensajes &m_mensajes;
    QString m_cArchivoIni;
    QTextEdit *m_prtbTexto = nullptr;
    QAction *m_pmnDescrip = nullptr;
    QAction *m_pmnEditINI = nullptr;
};
