#pragma once

#include <QString>
#include <QVariant>

#include "HostObject.h"

// The host's utilities object: statement templates and the cipher of stored accounts.
class Utilerias : public HostObject
{
public:
    using HostObject::HostObject;

    // The template with every "XXX" replaced by the value's text.
    QString CambXXX(const QString &cPlantilla, const QVariant &valor) const;

    // A reversible cipher for values kept in the host store. The enciphered text is made
    // of hexadecimal digits and is never empty, not even for an empty text.
    QString Encripta(const QString &cTexto) const;
    // The plain text; a text that is not a cipher of Encripta is a failure.
    QString DesEncripta(const QString &cCifrado) const;
};
