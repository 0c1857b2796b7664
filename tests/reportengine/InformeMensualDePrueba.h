#pragma once

// The twelve-month report's definition as the program ships it, for the engine's tests.

#include <QFile>
#include <QString>

#include "CompiladorRpt.h"

inline QString DefinicionInformeMensual()
{
    QFile archivo(QStringLiteral(DEFINICION_INFORME_MENSUAL));
    if (!archivo.open(QIODevice::ReadOnly))
        qFatal("No se puede leer %s", DEFINICION_INFORME_MENSUAL);
    return QString::fromUtf8(archivo.readAll());
}

// The definition compiled once.
inline const DisenoReporte &InformeMensual()
{
    static const ArchivoRpt archivo = CompiladorRpt::Compila(DefinicionInformeMensual());
    return archivo.diseno;
}
