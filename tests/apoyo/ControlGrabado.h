#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include "ControlReporte.h"

// A report control for tests: records every assignment that takes effect, as text
// ("3=\"x\"", "32[1]=\"base.tabla\"", "15=0", "17=1s" where "s" marks a 16-bit integer),
// and rejects the one assignment it is told to, with a number and a description. A run
// (17 = 1) tells its avisos, as a report that connects and reads its rows would.
class ControlGrabado : public ControlReporte
{
public:
    static constexpr int nSinIndice = -1;

    void PropertyPut(PropiedadReporte propiedad, const QVariant &valor) override
    {
        Asigna(int(propiedad), nSinIndice, valor);
    }
    void PropertyPutIndexed(PropiedadReporte propiedad, int nIndice, const QVariant &valor) override
    {
        Asigna(int(propiedad), nIndice, valor);
    }
    void PonAvisos(const AvisosReporte &avisos) override { m_avisos = avisos; }

    // Rejects the assignment written as "17" or "32[1]" (as in Asignaciones) with this failure.
    void FallaEn(const QString &cPropiedad, int nNumero, const QString &cDescripcion)
    {
        m_cFalla = cPropiedad;
        m_nNumero = nNumero;
        m_cDescripcion = cDescripcion;
    }

    const QStringList &Asignaciones() const { return m_asignaciones; }

private:
    void Asigna(int nDispId, int nIndice, const QVariant &valor)
    {
        const QString cPropiedad =
            nIndice == nSinIndice ? QString::number(nDispId) : QStringLiteral("%1[%2]").arg(nDispId).arg(nIndice);
        if (cPropiedad == m_cFalla)
            throw ErrorReporte(m_nNumero, m_cDescripcion);
        m_asignaciones.append(cPropiedad + QLatin1Char('=') + Texto(valor));
        if (cPropiedad == u"17" && valor.toInt() == 1) {
            for (const auto &aviso : {m_avisos.alConectar, m_avisos.alLeerDatos}) {
                if (aviso)
                    aviso();
            }
        }
    }

    static QString Texto(const QVariant &valor)
    {
        switch (valor.typeId()) {
        case QMetaType::QString: return QLatin1Char('"') + valor.toString() + QLatin1Char('"');
        case QMetaType::Int: return valor.toString();
        case QMetaType::Short: return valor.toString() + QLatin1Char('s');
        default: return QStringLiteral("<%1 %2>").arg(QString::fromLatin1(valor.typeName()), valor.toString());
        }
    }

    QStringList m_asignaciones;
    AvisosReporte m_avisos;
    QString m_cFalla;
    int m_nNumero = 0;
    QString m_cDescripcion;
};
