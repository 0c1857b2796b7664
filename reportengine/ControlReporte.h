#pragma once

#include <QString>
#include <QVariant>

#include <exception>
#include <functional>
#include <string>

// A failure of the report control: a number and a description, as the user sees them.
class ErrorReporte : public std::exception
{
public:
    ErrorReporte(int nNumero, const QString &cDescripcion)
        : m_nNumero(nNumero), m_cDescripcion(cDescripcion), m_cTexto(cDescripcion.toStdString())
    {
    }
    int Numero() const { return m_nNumero; }
    const QString &Descripcion() const { return m_cDescripcion; }
    const char *what() const noexcept override { return m_cTexto.c_str(); }

private:
    int m_nNumero;
    QString m_cDescripcion;
    std::string m_cTexto;
};

// What the report control tells the one who runs a job while the report runs, as a control
// raises events: when its connection is open (the ODBC data sources have been read), and
// when every row is in memory (the tables it reads are no longer needed; the preview, the
// printer or the file come after). Either may be empty; neither may throw.
struct AvisosReporte
{
    std::function<void()> alConectar;
    std::function<void()> alLeerDatos;
};

// The report control as the report bridge sees it: properties put by dispatch identifier,
// plain or indexed. Each put takes effect or throws an ErrorReporte; putting 1 into
// property 17 runs the report with the settings made so far, telling avisos as it goes.
class ControlReporte
{
public:
    virtual ~ControlReporte() = default;
    virtual void PropertyPut(int nDispId, const QVariant &valor) = 0;
    virtual void PropertyPutIndexed(int nDispId, int nIndice, const QVariant &valor) = 0;
    // Who is told of the runs from now on; an empty one tells nobody.
    virtual void PonAvisos(const AvisosReporte &avisos) = 0;
};
