#include "ConfiguracionPrograma.h"

#include "BasesDD.h"
#include "Conversiones.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "HostContext.h"
#include "HostFactory.h"
#include "Mensajes.h"
#include "ObjetosPrograma.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {
const QString cConfiguracion = QStringLiteral("Configuración");
const QChar cRetorno(13);
} // namespace

void CreaObjeto(const HostFactory &fabrica, const HostContext &contexto, HostObjectPtr &objeto, const QString &cClase,
                const QString &cLibreria)
{
    objeto = fabrica.Crea(cLibreria + QLatin1Char('.') + cClase, contexto);
}

QString LeeIniDefecto(const QString &cSeccion, const QString &cClave, const QString &cDefecto, libNucleo &nucleo,
                      const QString &cArchivoIni)
{
    const HostContext &contexto = nucleo.Contexto();
    HostObjectPtr propio;
    CreaObjeto(*contexto.pFabrica, contexto, propio, QStringLiteral("LibNucleo"), QStringLiteral("orbe5"));
    QString cArchivo = cArchivoIni;
    QString cValor = Como<libNucleo>(propio).LeeIni(cSeccion, cClave, cArchivo);
    if (cValor.isEmpty()) {
        nucleo.EscribeIni(cSeccion, cClave, cDefecto, cArchivoIni);
        cValor = Como<libNucleo>(propio).LeeIni(cSeccion, cClave, cArchivo);
        // A default that did not take (an empty one, or a file that reads back otherwise)
        // would make the read loop for ever.
        if (cValor.isEmpty())
            throw HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                            QStringLiteral("No se pudo guardar el valor predeterminado de «%1» en el archivo de "
                                           "configuración %2")
                                .arg(cClave, cArchivoIni));
    }
    return cValor;
}

qint16 LeeMonedaUSD(libNucleo &nucleo, const QString &cArchivoIni)
{
    return AEntero16(
        LeeIniDefecto(cConfiguracion, QStringLiteral("Id moneda USD"), QStringLiteral("2"), nucleo, cArchivoIni),
        QStringLiteral("El valor «Id moneda USD» del archivo de configuración"));
}

bool CargaDatosConexion(libNucleo &nucleo, DelRegistro &registro, BasesDD &bases, const QString &cArchivoIni,
                        bool bLeeBasePrincipal)
{
    const HostContext &contexto = nucleo.Contexto();
    HostObjectPtr propioNucleo, propioArchivos, propioUtilerias;
    CreaObjeto(*contexto.pFabrica, contexto, propioNucleo, QStringLiteral("LibNucleo"), QStringLiteral("orbe5"));
    CreaObjeto(*contexto.pFabrica, contexto, propioArchivos, QStringLiteral("DeArchivos"), QStringLiteral("orbe5"));
    CreaObjeto(*contexto.pFabrica, contexto, propioUtilerias, QStringLiteral("Utilerias"), QStringLiteral("orbe5"));
    libNucleo &oNucleo = Como<libNucleo>(propioNucleo);
    Utilerias &oUtilerias = Como<Utilerias>(propioUtilerias);
    bool bResultado = true;

    QString cRuta = LeeIniDefecto(cConfiguracion, QStringLiteral("Ruta de Almena Premium"),
                                  QStringLiteral("C:\\almenapremium"), nucleo, cArchivoIni);
    if (registro.BuscarRegistroALM(cRuta).isEmpty()) {
        bResultado = false;
        const QString cTexto = QStringLiteral("En el archivo de configuración de este programa") + cRetorno + cRetorno +
                               QLatin1Char('(') + cArchivoIni + QLatin1Char(')') + cRetorno + cRetorno +
                               QStringLiteral("debe indicarse la ruta correcta de Almena Premium.") + cRetorno +
                               QStringLiteral("Ruta indicada e incorrecta: ") + cRetorno + cRetorno + cRuta;
        contexto.pMensajes->MsgBox(cTexto, Msg::Critico + Msg::SoloAceptar, QStringLiteral("Atención"));
        const int nRespuesta = contexto.pMensajes->MsgBox(QStringLiteral("¿Desea editar el archivo de configuración?"),
                                                          Msg::SiNo + Msg::Pregunta, QStringLiteral("Editar INI"));
        if (nRespuesta == Msg::Si) {
            QString cArchivo = cArchivoIni;
            Como<DeArchivos>(propioArchivos).AbreDocumento(cArchivo, 0, 1);
        }
        return bResultado;
    }

    bases.cPuerto = QStringLiteral("3306");
    bases.cPassword = QString();
    bases.cUsuario = QStringLiteral("root");
    if (oNucleo.orVal(registro.DatosALM(QStringLiteral("MySQLPuerto"))) == 0)
        registro.GuardaDatosALM(QStringLiteral("MySQLPuerto"), bases.cPuerto);
    if (registro.DatosALM(QStringLiteral("MySQLServer")).trimmed().isEmpty())
        registro.GuardaDatosALM(QStringLiteral("MySQLServer"), registro.DatosALM(QStringLiteral("servidor")));
    if (registro.DatosALM(QStringLiteral("MySQLUsuario")).trimmed().isEmpty())
        registro.GuardaDatosALM(QStringLiteral("MySQLUsuario"), oUtilerias.Encripta(bases.cUsuario));
    if (registro.DatosALM(QStringLiteral("MySQLPassword")).trimmed().isEmpty())
        registro.GuardaDatosALM(QStringLiteral("MySQLPassword"), oUtilerias.Encripta(bases.cPassword));
    bases.cPassword = oUtilerias.DesEncripta(registro.DatosALM(QStringLiteral("MySQLPassword")));
    bases.cUsuario = oUtilerias.DesEncripta(registro.DatosALM(QStringLiteral("MySQLUsuario")));
    bases.cPuerto = registro.DatosALM(QStringLiteral("MySQLPuerto"));
    bases.cRuta = registro.DatosALM(QStringLiteral("MySQLServer"));

    if (bLeeBasePrincipal)
        bases.cMiBase = LeeIniDefecto(cConfiguracion, QStringLiteral("Base de datos principal"),
                                      QStringLiteral("datos1"), nucleo, cArchivoIni);
    return bResultado;
}

bool PreparaConexion(ObjetosPrograma &objetos, const QString &cArchivoIni, Connection &cnnDatos, qint16 &nMonedaUSD)
{
    BasesDD &bases = objetos.Bases();
    if (!CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), bases, cArchivoIni, true))
        return false;
    nMonedaUSD = LeeMonedaUSD(objetos.Nucleo(), cArchivoIni);
    bases.esperas = Esperas::Lee(objetos.Nucleo(), cArchivoIni);
    bases.cifrado = Cifrado::Lee(objetos.Nucleo(), cArchivoIni);
    bases.AbrirBdD(cnnDatos, bases.cMiBase);
    return true;
}
