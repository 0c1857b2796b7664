#include "QtMensajes.h"

#include <QApplication>
#include <QMessageBox>

int QtMensajes::MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo)
{
    QMessageBox caja(QApplication::activeWindow());
    caja.setWindowTitle(cTitulo);
    QString cVisible = cTexto;
    caja.setText(cVisible.replace(QChar(13), QChar(10)));

    switch (nEstilo & 0x70) {
    case Msg::Critico: caja.setIcon(QMessageBox::Critical); break;
    case Msg::Pregunta: caja.setIcon(QMessageBox::Question); break;
    case Msg::Exclamacion: caja.setIcon(QMessageBox::Warning); break;
    case 64: caja.setIcon(QMessageBox::Information); break;
    default: break;
    }

    if ((nEstilo & 0x0F) == Msg::SiNo) {
        caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        const bool bNoPredeterminado = (nEstilo & Msg::SegundoBotonPredeterminado) != 0;
        caja.setDefaultButton(bNoPredeterminado ? QMessageBox::No : QMessageBox::Yes);
        caja.setEscapeButton(QMessageBox::No);
        return caja.exec() == QMessageBox::Yes ? Msg::Si : Msg::No;
    }
    caja.setStandardButtons(QMessageBox::Ok);
    caja.exec();
    return Msg::Aceptar;
}
