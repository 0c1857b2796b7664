#include "IniArchivo.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <SimpleIni.h>

#include "HostError.h"

namespace {

QByteArray LeeArchivo(const QString &cArchivo)
{
    QFile archivo(cArchivo);
    if (!archivo.exists())
        return {};
    if (!archivo.open(QIODevice::ReadOnly))
        throw HostError(ErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede leer el archivo %1: %2").arg(cArchivo, archivo.errorString()));
    return archivo.readAll();
}

// Names compare as SimpleIni compares them: trimmed, ASCII letters without regard to case.
bool MismoNombre(const QByteArray &a, const QByteArray &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool EsComentario(const QByteArray &linea)
{
    const QByteArray t = linea.trimmed();
    return t.startsWith(';') || t.startsWith('#');
}

// The section name of a "[name]" line, or a null array for any other line.
QByteArray NombreSeccion(const QByteArray &linea)
{
    const QByteArray t = linea.trimmed();
    if (!t.startsWith('['))
        return {};
    const int nCierre = t.indexOf(']');
    if (nCierre < 0)
        return {};
    const QByteArray nombre = t.mid(1, nCierre - 1);
    return nombre.isNull() ? QByteArray("") : nombre;
}

} // namespace

namespace IniArchivo {

QString Lee(const QString &cArchivo, const QString &cSeccion, const QString &cClave)
{
    const QByteArray texto = LeeArchivo(cArchivo);
    if (texto.isEmpty())
        return {};
    CSimpleIniA ini(true, false, false);
    if (ini.LoadData(texto.constData(), size_t(texto.size())) < 0)
        throw HostError(ErrorHost::ErrorDeAccesoArchivo, QStringLiteral("El archivo %1 no se puede interpretar").arg(cArchivo));
    const char *pValor = ini.GetValue(cSeccion.toUtf8().constData(), cClave.toUtf8().constData(), "");
    QString cValor = QString::fromUtf8(pValor ? pValor : "");
    if (cValor.size() >= 2 && cValor.startsWith(QLatin1Char('"')) && cValor.endsWith(QLatin1Char('"')))
        cValor = cValor.mid(1, cValor.size() - 2); // quotes keep blanks at the ends of a value
    return cValor;
}

QByteArray ConValor(const QByteArray &texto, const QString &cSeccion, const QString &cClave, const QString &cValor,
                    Comillas comillas)
{
    const QByteArray seccion = cSeccion.toUtf8();
    const QByteArray clave = cClave.toUtf8();
    const bool bEntreComillas = comillas == Comillas::SiHacenFalta &&
                                (cValor != cValor.trimmed() || (cValor.size() >= 2 && cValor.startsWith(QLatin1Char('"')) &&
                                                                cValor.endsWith(QLatin1Char('"'))));
    const QByteArray valor = bEntreComillas ? '"' + cValor.toUtf8() + '"' : cValor.toUtf8();
    if (valor.contains('\n') || valor.contains('\r') || clave.contains('=') || seccion.contains(']'))
        throw HostError(ErrorHost::ArgumentoNoValido,
                        QStringLiteral("No se puede guardar «%1» en la sección «%2»: el nombre o el valor tiene un "
                                       "salto de línea, un signo = o un corchete")
                            .arg(cClave, cSeccion));
    const QByteArray finDeLinea = texto.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");

    QList<QByteArray> lineas = texto.isEmpty() ? QList<QByteArray>() : texto.split('\n');
    const bool bTerminaEnSalto = texto.endsWith('\n');
    if (bTerminaEnSalto)
        lineas.removeLast();
    for (QByteArray &linea : lineas)
        if (linea.endsWith('\r'))
            linea.chop(1);

    qsizetype nLineaClave = -1;      // the last line of the key inside a matching section
    qsizetype nFinSeccion = -1;      // the last non-blank line of the last matching section
    bool bEnSeccion = false;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QByteArray &linea = lineas.at(i);
        const QByteArray nombre = NombreSeccion(linea);
        if (!nombre.isNull()) {
            bEnSeccion = MismoNombre(nombre, seccion);
            if (bEnSeccion)
                nFinSeccion = i;
            continue;
        }
        if (!bEnSeccion)
            continue;
        if (!linea.trimmed().isEmpty())
            nFinSeccion = i;
        const int nIgual = linea.indexOf('=');
        if (nIgual > 0 && !EsComentario(linea) && MismoNombre(linea.left(nIgual), clave))
            nLineaClave = i;
    }

    if (nLineaClave >= 0) {
        QByteArray &linea = lineas[nLineaClave];
        qsizetype nInicio = linea.indexOf('=') + 1;
        while (nInicio < linea.size() && (linea.at(nInicio) == ' ' || linea.at(nInicio) == '\t'))
            ++nInicio;
        linea = linea.left(nInicio) + valor;
    } else if (nFinSeccion >= 0) {
        lineas.insert(nFinSeccion + 1, clave + '=' + valor);
    } else {
        if (!lineas.isEmpty() && !lineas.last().trimmed().isEmpty())
            lineas.append(QByteArray());
        lineas.append('[' + seccion + ']');
        lineas.append(clave + '=' + valor);
    }

    QByteArray resultado = lineas.join(finDeLinea);
    if (bTerminaEnSalto || nLineaClave < 0)
        resultado += finDeLinea;
    return resultado;
}

void Escribe(const QString &cArchivo, const QString &cSeccion, const QString &cClave, const QString &cValor)
{
    const QByteArray nuevo = ConValor(LeeArchivo(cArchivo), cSeccion, cClave, cValor);
    QSaveFile archivo(cArchivo);
    const bool bEscrito = archivo.open(QIODevice::WriteOnly) && archivo.write(nuevo) == nuevo.size() && archivo.commit();
    if (!bEscrito)
        throw HostError(ErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede escribir el archivo %1: %2").arg(cArchivo, archivo.errorString()));
}

} // namespace IniArchivo
