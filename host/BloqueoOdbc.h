#pragma once

#include <QString>

// Keeps every other copy of the program run by this user from writing the ODBC data sources
// while one report job refreshes them and its report connects through them, so that no
// report reads through values another one has just put there. An advisory lock (flock) on a
// file beside the data-source file, held while the object lives; the system frees it if the
// program dies.
class BloqueoOdbc
{
public:
    // Waits up to nSegundos for another job to let go: then a HostError OrigenesOcupados. A
    // lock file that cannot be opened is an ErrorDeAccesoArchivo.
    explicit BloqueoOdbc(int nSegundos);
    ~BloqueoOdbc();
    BloqueoOdbc(const BloqueoOdbc &) = delete;
    BloqueoOdbc &operator=(const BloqueoOdbc &) = delete;

    static QString ArchivoDelBloqueo();

private:
    int m_nDescriptor = -1;
};
