#pragma once

#include <QList>
#include <QString>

// The batch mode's options and exit statuses, written once: --help, the description window
// and the manual page are all made from these tables, so that they never tell the user
// different things.
namespace OpcionesLotes {

// Which of the batch mode's forms an option belongs to: every run, only a run to a file,
// only a run to a printer, or a question that runs no report (--help, --version).
enum class Forma { Comun, Archivo, Impresora, Consulta };

struct Opcion
{
    QString cNombre;    // without the dashes
    QString cCorto;     // a one-letter name, or empty
    QString cArgumento; // the value's name; empty when the option takes none
    bool bArgumentoOpcional = false;
    bool bObligatoria = false; // within its form
    Forma forma = Forma::Comun;
    QString cDescripcion; // Spanish, one or two sentences
};

struct EstadoSalida
{
    int nCodigo;
    QString cDescripcion; // Spanish
};

const QList<Opcion> &Todas();
const QList<EstadoSalida> &Estados();

// What the batch mode does, in one paragraph.
QString Descripcion();

// The forms' usage lines, after the program's name: "--desde DD/MM/AAAA ... --salida ARCHIVO".
QStringList Sinopsis();

// An option as the user writes it, with its value: "--impresora [NOMBRE]", "-h, --help" (an
// option with no long name writes its short one alone).
QString ComoSeEscribe(const Opcion &opcion);

// The whole help of the batch mode as plain text, for --help.
QString TextoAyuda(const QString &cPrograma);

// The options and exit statuses as HTML, for the description window.
QString HtmlOpciones(const QString &cPrograma);

// The synopsis, the options and the exit statuses as roff, for the manual page.
QString RoffSinopsis(const QString &cPrograma);
QString RoffOpciones();
QString RoffEstados();

} // namespace OpcionesLotes
