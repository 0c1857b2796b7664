#include "libNucleo.h"

#include "CodigosTecla.h"
#include "Conversiones.h"
#include "HostContext.h"
#include "IniArchivo.h"

QString libNucleo::LeeIni(const QString &cSeccion, const QString &cClave, QString &cArchivo)
{
    return IniArchivo::Lee(cArchivo, cSeccion, cClave);
}

void libNucleo::EscribeIni(const QString &cSeccion, const QString &cClave, const QString &cValor,
                           const QString &cArchivo)
{
    IniArchivo::Escribe(cArchivo, cSeccion, cClave, cValor);
}

double libNucleo::orVal(const QVariant &valor) const
{
    if (valor.isNull())
        return 0;
    switch (valor.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: return valor.toDouble();
    default: break;
    }
    const QString cTexto = valor.toString();
    qsizetype i = 0;
    while (i < cTexto.size() && cTexto.at(i).isSpace())
        ++i;
    const qsizetype nInicio = i;
    if (i < cTexto.size() && (cTexto.at(i) == QLatin1Char('-') || cTexto.at(i) == QLatin1Char('+')))
        ++i;
    bool bPunto = false;
    bool bDigitos = false;
    for (; i < cTexto.size(); ++i) {
        const QChar c = cTexto.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            bDigitos = true;
        } else if (c == QLatin1Char('.') && !bPunto) {
            bPunto = true;
        } else {
            break;
        }
    }
    if (!bDigitos)
        return 0;
    return cTexto.mid(nInicio, i - nInicio).toDouble();
}

QString libNucleo::FormatoFecha() const
{
    return cFormatoFechaHost;
}

QString libNucleo::MascaraFecha() const
{
    return QStringLiteral("99/99/9999;_");
}

QString libNucleo::FechaSQL(const QDate &dFecha) const
{
    return dFecha.toString(QStringLiteral("yyyy-MM-dd"));
}

void libNucleo::Enter(qint16 &nTecla, const QString &cModo)
{
    if (nTecla == CodigosTecla::Intro) {
        nTecla = 0;
        MueveFoco(true);
        return;
    }
    if (nTecla < 32)
        return; // other control keys pass in every mode
    if (cModo == QLatin1String("9")) {
        if (nTecla < '0' || nTecla > '9')
            nTecla = 0;
    } else if (cModo == QLatin1String("!")) {
        nTecla = qint16(CodigoEnMayusculas(QString(QChar(ushort(nTecla)))).at(0).unicode());
    }
}

void libNucleo::Teclas(qint16 &nTecla)
{
    if (nTecla == CodigosTecla::FlechaArriba || nTecla == CodigosTecla::FlechaAbajo) {
        MueveFoco(nTecla == CodigosTecla::FlechaAbajo);
        nTecla = 0;
    }
}

void libNucleo::Resalta(QObject *pControl)
{
    if (Contexto().resalta)
        Contexto().resalta(pControl);
}

void libNucleo::MueveFoco(bool bAdelante) const
{
    if (Contexto().mueveFoco)
        Contexto().mueveFoco(bAdelante);
}
