#include "BloqueoOdbc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "FuentesOdbc.h"
#include "HostError.h"
#include "TextoDeErrno.h"

QString BloqueoOdbc::ArchivoDelBloqueo()
{
    // Not the data-source file itself: that one is replaced by every write.
    return FuentesOdbc::Archivo() + QStringLiteral(".lock");
}

BloqueoOdbc::BloqueoOdbc(int nSegundos)
{
    const QString cArchivo = ArchivoDelBloqueo();
    m_nDescriptor = ::open(QFile::encodeName(cArchivo).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_nDescriptor < 0)
        throw HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede abrir el archivo de bloqueo de los orígenes de datos ODBC %1: %2")
                            .arg(cArchivo, TextoDeErrno(errno)));
    QElapsedTimer reloj;
    reloj.start();
    while (::flock(m_nDescriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const QString cFalla = TextoDeErrno(errno);
            ::close(m_nDescriptor);
            throw HostError(
                CodigoErrorHost::ErrorDeAccesoArchivo,
                QStringLiteral("No se pueden bloquear los orígenes de datos ODBC (%1): %2").arg(cArchivo, cFalla));
        }
        if (reloj.elapsed() >= qint64(nSegundos) * 1000) {
            ::close(m_nDescriptor);
            throw HostError(
                CodigoErrorHost::OrigenesOcupados,
                QStringLiteral("Otro informe está usando los orígenes de datos ODBC de %1 desde hace más de "
                               "%2 s. Espere a que termine e intente de nuevo.")
                    .arg(FuentesOdbc::Archivo())
                    .arg(nSegundos));
        }
        QThread::msleep(50);
    }
}

BloqueoOdbc::~BloqueoOdbc()
{
    ::close(m_nDescriptor); // closing the file frees its lock
}
