#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include "HostObject.h"

class QObject;

// The host's date format: the one the date boxes show and the batch mode reads.
inline const QString cFormatoFechaHost = QStringLiteral("dd/MM/yyyy");

// The host's core object: settings files, number and date conversions, and the keyboard
// conveniences of the input fields.
class libNucleo : public HostObject
{
public:
    using HostObject::HostObject;

    QString LeeIni(const QString &cSeccion, const QString &cClave, QString &cArchivo);
    void EscribeIni(const QString &cSeccion, const QString &cClave, const QString &cValor, const QString &cArchivo);

    // The number at the start of a value's text, as a person reads it: "12abc" is 12,
    // "" and "abc" are 0; a number value is returned as it is.
    double orVal(const QVariant &valor) const;

    QString FormatoFecha() const;                // display format of dates: cFormatoFechaHost
    QString MascaraFecha() const;                // input mask of date boxes
    QString FechaSQL(const QDate &dFecha) const; // "yyyy-MM-dd", for a quoted MySQL date

    // Key handling of the fields. Codes are the platform's virtual-key and character
    // numbers; a code set to 0 means the field does not get the key. Moving the focus and
    // highlighting go through the context's mueveFoco and resalta.
    void Enter(qint16 &nTecla, const QString &cModo);
    void Teclas(qint16 &nTecla);
    void Resalta(QObject *pControl);

private:
    void MueveFoco(bool bAdelante) const;
};
