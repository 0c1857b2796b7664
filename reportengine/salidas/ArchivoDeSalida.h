#pragma once

#include <QSaveFile>

// A report file written as QSaveFile writes one (beside its name, renamed over it when
// complete) that remembers why a write failed: QSaveFile's own text says "Unknown error"
// once its commit has closed the file, and the C library's words are the locale's. Motivo()
// is the system's reason in Spanish (MotivoDeErrno) when there was one.
class ArchivoDeSalida : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

    // flush() and commit() (flush first: see EscritorRpt); false when either failed.
    bool Termina();
    QString Motivo() const;
    int Errno() const { return m_nErrno; }

protected:
    qint64 writeData(const char *pDatos, qint64 nBytes) override;

private:
    void Recuerda();
    int m_nErrno = 0;
};
