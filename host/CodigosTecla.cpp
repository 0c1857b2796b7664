#include "CodigosTecla.h"

#include <QKeyEvent>

namespace CodigosTecla {

qint16 CodigoVirtual(const QKeyEvent &evento)
{
    const int nTecla = evento.key();
    switch (nTecla) {
    case Qt::Key_Backspace: return Retroceso;
    case Qt::Key_Tab: return Tabulador;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Intro;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return FlechaArriba;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return FlechaAbajo;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if ((nTecla >= Qt::Key_0 && nTecla <= Qt::Key_9) || (nTecla >= Qt::Key_A && nTecla <= Qt::Key_Z))
        return qint16(nTecla); // the platform uses the same numbers for digits and letters
    if (nTecla >= Qt::Key_F1 && nTecla <= Qt::Key_F24)
        return qint16(112 + (nTecla - Qt::Key_F1));
    return 0;
}

qint16 CodigoCaracter(const QKeyEvent &evento)
{
    if (evento.key() == Qt::Key_Return || evento.key() == Qt::Key_Enter)
        return Intro;
    const QString cTexto = evento.text();
    if (cTexto.size() != 1)
        return 0;
    const ushort nCodigo = cTexto.at(0).unicode();
    return nCodigo > 0x7FFF ? 0 : qint16(nCodigo);
}

} // namespace CodigosTecla
