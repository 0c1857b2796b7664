#pragma once

#include <QDate>
#include <QLineEdit>

#include "libNucleo.h"

// A masked edit box for a date: an input mask, a display format, and the text with its
// literal separators and prompt characters, as the user sees it.
class CajaFecha : public QLineEdit
{
    Q_OBJECT
public:
    explicit CajaFecha(QWidget *pPadre = nullptr);

    void setFormato(const QString &cFormato) { m_cFormato = cFormato; }
    void setMascara(const QString &cMascara) { setInputMask(cMascara); }

    QString Texto() const { return displayText(); }
    void setFecha(const QDate &dFecha) { setText(dFecha.toString(m_cFormato)); }
    // The date of the text in the box's format; an invalid date for a text that is none.
    QDate Fecha() const { return QDate::fromString(Texto(), m_cFormato); }

private:
    QString m_cFormato = cFormatoFechaHost;
};
