#pragma once

#include <QString>

// An INI file that a person edits by hand. Values are read with SimpleIni (section and key
// names without regard to letter case; the last of repeated keys wins). A write changes
// only the line of that key, or adds one, so every other line, comment and blank line
// stays as it was; the file is then replaced atomically. A value with blanks at its ends
// (or already in quotes) is written in double quotes, which reading removes, so that it
// reads back as it was written.
//
// A file is read in UTF-8, with or without a byte-order mark, or, when it is not valid UTF-8,
// in Windows-1252, the code page of files saved by hand on Windows; a write keeps the file in
// its own encoding (a new file is UTF-8 without a mark). A file with NUL bytes (binary data,
// UTF-16 or UTF-32) is not read, nor written into.
namespace IniArchivo {

// The value of the key; an empty text when the file, the section or the key is absent.
// Throws a HostError when the file cannot be read.
QString Lee(const QString &cArchivo, const QString &cSeccion, const QString &cClave);

// Sets the key to the value, creating the file, the section or the key when missing. A file
// that this creates with bSoloElDueno is readable and writable by its owner only.
// Throws a HostError when the file cannot be read or replaced, or when its encoding cannot
// hold the value; the file is then as it was.
void Escribe(const QString &cArchivo, const QString &cSeccion, const QString &cClave, const QString &cValor,
             bool bSoloElDueno = false);

// Whether a value with blanks at its ends (or in quotes) goes in double quotes, which Lee
// removes, or as it stands, for a file that another program reads and that would keep them.
enum class Comillas { SiHacenFalta, Nunca };

// The text of an INI file with the key set; the same rules as Escribe, without the file.
QByteArray ConValor(const QByteArray &texto, const QString &cSeccion, const QString &cClave, const QString &cValor,
                    Comillas comillas = Comillas::SiHacenFalta);

} // namespace IniArchivo
