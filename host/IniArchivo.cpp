#include "IniArchivo.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

#include <SimpleIni.h>

#include "HostError.h"
#include "Windows1252.h"

namespace {

const QByteArray cMarcaUtf8("\xEF\xBB\xBF");

// How a file was written, so that a write gives it back the same way.
enum class Codificacion { Utf8, Utf8ConMarca, Windows1252 };

// The text of a settings file as UTF-8, whatever its encoding on disk.
struct TextoIni
{
    QByteArray texto;
    Codificacion codificacion = Codificacion::Utf8;
};

QByteArray LeeArchivo(const QString &cArchivo)
{
    QFile archivo(cArchivo);
    if (!archivo.exists())
        return {};
    if (!archivo.open(QIODevice::ReadOnly))
        throw HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede leer el archivo %1: %2").arg(cArchivo, archivo.errorString()));
    return archivo.readAll();
}

HostError NoSePuedeLeer(const QString &cArchivo, const QString &cRazon)
{
    return HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                     QStringLiteral("El archivo de configuración %1 no se puede leer: %2").arg(cArchivo, cRazon));
}

bool EsUtf8(const QByteArray &bytes)
{
    QStringDecoder decodificador(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString cTexto = decodificador(bytes); // the decoding happens here, on the conversion
    return !decodificador.hasError();
}

// UTF-8 with or without a byte-order mark, or else Windows-1252, the code page of files
// saved by hand on Windows. A NUL byte or a UTF-16 mark means binary data, UTF-16 or
// UTF-32, which a guess of a code page would only turn into garbage.
TextoIni Decodifica(const QByteArray &bytes, const QString &cArchivo)
{
    if (bytes.contains('\0') || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        throw NoSePuedeLeer(cArchivo, QStringLiteral("no es un archivo de texto en UTF-8 ni en Windows-1252"));
    if (bytes.startsWith(cMarcaUtf8)) {
        const QByteArray texto = bytes.mid(cMarcaUtf8.size());
        if (!EsUtf8(texto))
            throw NoSePuedeLeer(cArchivo, QStringLiteral("empieza con la marca de UTF-8 pero su texto no es UTF-8"));
        return {texto, Codificacion::Utf8ConMarca};
    }
    if (EsUtf8(bytes))
        return {bytes, Codificacion::Utf8};
    return {Windows1252::Decodifica(bytes).toUtf8(), Codificacion::Windows1252};
}

// Read and write alike refuse a file that SimpleIni does not understand, so that a write
// never adds to a file that reading would reject.
void Interpreta(CSimpleIniA &ini, const QByteArray &texto, const QString &cArchivo)
{
    if (ini.LoadData(texto.constData(), size_t(texto.size())) < 0)
        throw NoSePuedeLeer(cArchivo, QStringLiteral("no se puede interpretar"));
}

// The UTF-8 text in the file's own encoding.
QByteArray Codifica(const QByteArray &texto, Codificacion codificacion, const QString &cArchivo, const QString &cClave)
{
    if (codificacion == Codificacion::Utf8)
        return texto;
    if (codificacion == Codificacion::Utf8ConMarca)
        return cMarcaUtf8 + texto;
    QByteArray bytes;
    char32_t nNoCabe = 0;
    if (!Windows1252::Codifica(QString::fromUtf8(texto), bytes, nNoCabe))
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("No se puede guardar «%1» en el archivo %2: el carácter «%3» (U+%4) no se "
                                       "puede conservar en la codificación Windows-1252 del archivo")
                            .arg(cClave, cArchivo, QString::fromUcs4(&nNoCabe, 1),
                                 QStringLiteral("%1").arg(uint(nNoCabe), 4, 16, QLatin1Char('0')).toUpper()));
    return bytes;
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

// ConValor, naming the file (when there is one) in its failure.
QByteArray CambiaValor(const QByteArray &texto, const QString &cSeccion, const QString &cClave, const QString &cValor,
                       const QString &cArchivo, IniArchivo::Comillas comillas = IniArchivo::Comillas::SiHacenFalta)
{
    const QByteArray seccion = cSeccion.toUtf8();
    const QByteArray clave = cClave.toUtf8();
    const bool bEntreComillas =
        comillas == IniArchivo::Comillas::SiHacenFalta &&
        (cValor != cValor.trimmed() ||
         (cValor.size() >= 2 && cValor.startsWith(QLatin1Char('"')) && cValor.endsWith(QLatin1Char('"'))));
    const QByteArray valor = bEntreComillas ? '"' + cValor.toUtf8() + '"' : cValor.toUtf8();
    // A NUL would make the file unreadable: it is taken for binary data.
    const bool bNulo = valor.contains('\0') || clave.contains('\0') || seccion.contains('\0');
    if (valor.contains('\n') || valor.contains('\r') || clave.contains('=') || seccion.contains(']') || bNulo)
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("No se puede guardar «%1» en la sección «%2»%3: el nombre o el valor tiene un "
                                       "salto de línea, un carácter nulo, un signo = o un corchete")
                            .arg(cClave, cSeccion,
                                 cArchivo.isEmpty() ? QString() : QStringLiteral(" del archivo %1").arg(cArchivo)));
    const QByteArray finDeLinea = texto.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");

    QList<QByteArray> lineas = texto.isEmpty() ? QList<QByteArray>() : texto.split('\n');
    const bool bTerminaEnSalto = texto.endsWith('\n');
    if (bTerminaEnSalto)
        lineas.removeLast();
    for (QByteArray &linea : lineas)
        if (linea.endsWith('\r'))
            linea.chop(1);

    qsizetype nLineaClave = -1; // the last line of the key inside a matching section
    qsizetype nFinSeccion = -1; // the last non-blank line of the last matching section
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

} // namespace

namespace IniArchivo {

QString Lee(const QString &cArchivo, const QString &cSeccion, const QString &cClave)
{
    const TextoIni ini = Decodifica(LeeArchivo(cArchivo), cArchivo);
    if (ini.texto.isEmpty())
        return {};
    CSimpleIniA datos(true, false, false);
    Interpreta(datos, ini.texto, cArchivo);
    const char *pValor = datos.GetValue(cSeccion.toUtf8().constData(), cClave.toUtf8().constData(), "");
    QString cValor = QString::fromUtf8(pValor ? pValor : "");
    if (cValor.size() >= 2 && cValor.startsWith(QLatin1Char('"')) && cValor.endsWith(QLatin1Char('"')))
        cValor = cValor.mid(1, cValor.size() - 2); // quotes keep blanks at the ends of a value
    return cValor;
}

QByteArray ConValor(const QByteArray &texto, const QString &cSeccion, const QString &cClave, const QString &cValor,
                    Comillas comillas)
{
    return CambiaValor(texto, cSeccion, cClave, cValor, QString(), comillas);
}

void Escribe(const QString &cArchivo, const QString &cSeccion, const QString &cClave, const QString &cValor,
             bool bSoloElDueno)
{
    const bool bNuevo = !QFileInfo::exists(cArchivo);
    const TextoIni ini = Decodifica(LeeArchivo(cArchivo), cArchivo);
    CSimpleIniA datos(true, false, false);
    Interpreta(datos, ini.texto, cArchivo);
    const QByteArray nuevo =
        Codifica(CambiaValor(ini.texto, cSeccion, cClave, cValor, cArchivo), ini.codificacion, cArchivo, cClave);
    QSaveFile archivo(cArchivo);
    // A new file takes its permissions before anything is written into it, so that it never
    // appears with more; an existing file keeps its own, which QSaveFile copies.
    const bool bEscrito =
        archivo.open(QIODevice::WriteOnly) &&
        (!bNuevo || !bSoloElDueno || archivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) &&
        archivo.write(nuevo) == nuevo.size() && archivo.flush() && archivo.commit(); // see FuentesOdbc on flush()
    if (!bEscrito)
        throw HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede escribir el archivo %1: %2").arg(cArchivo, archivo.errorString()));
}

} // namespace IniArchivo
