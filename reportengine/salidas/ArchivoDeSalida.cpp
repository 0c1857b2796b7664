#include "ArchivoDeSalida.h"

#include <cerrno>

#include "MotivoDeErrno.h"

void ArchivoDeSalida::Recuerda()
{
    // The first failure is the cause; what fails after it only follows from it.
    if (m_nErrno == 0)
        m_nErrno = errno;
}

qint64 ArchivoDeSalida::writeData(const char *pDatos, qint64 nBytes)
{
    errno = 0;
    const qint64 nEscritos = QSaveFile::writeData(pDatos, nBytes);
    // A write cut short by a full disk gives back what did fit, and the reason in errno.
    if (nEscritos < nBytes && errno != 0)
        Recuerda();
    return nEscritos;
}

bool ArchivoDeSalida::Termina()
{
    errno = 0;
    if (!flush()) {
        // Not committed: the destructor removes the unfinished file, and commit() would not
        // know that the write failed.
        Recuerda();
        return false;
    }
    errno = 0;
    if (!commit()) {
        Recuerda();
        return false;
    }
    return true;
}

QString ArchivoDeSalida::Motivo() const
{
    return m_nErrno != 0 ? MotivoDeErrno(m_nErrno) : errorString();
}
