#pragma once

#include <QString>
#include <QVariant>

// Conversions of values to whole numbers as the host's callers expect them: the nearest
// whole number, a half going to the even neighbour; a text that is no number is a type
// mismatch (13), a number out of range an overflow (6). cQue names the value in the message.
qint16 AEntero16(const QVariant &valor, const QString &cQue);

// The text without the blanks (spaces) at its ends; other white space stays.
QString RecortaEspacios(const QString &cTexto);

// A code as the host's code fields take it while it is typed (libNucleo::Enter's mode "!"):
// each character upper-cased on its own, so that a code given on the command line, pasted or
// typed compares and shows the same, also under a collation that tells the cases apart.
QString CodigoEnMayusculas(const QString &cCodigo);
