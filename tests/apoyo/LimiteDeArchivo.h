#pragma once

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

// While it lives, no file this process writes may grow past nBytes (0: no limit), as on a
// full disk: a write beyond it fails with EFBIG instead of ending the process.
class LimiteDeArchivo
{
public:
    explicit LimiteDeArchivo(qint64 nBytes)
    {
        if (nBytes <= 0)
            return;
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_antes);
        rlimit limite = m_antes;
        limite.rlim_cur = rlim_t(nBytes);
        m_bPuesto = ::setrlimit(RLIMIT_FSIZE, &limite) == 0;
    }
    ~LimiteDeArchivo()
    {
        if (m_bPuesto)
            ::setrlimit(RLIMIT_FSIZE, &m_antes);
    }

private:
    rlimit m_antes{};
    bool m_bPuesto = false;
};
