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

    // The text box's size for the window's outer size, both in twips: the window less
    // margins of 260 and 600, never below 0.
    static QSize TamanoDelTexto(const QSize &exterior);
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
