#include "SenalesDeTermino.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "HostError.h"

namespace {

int nExtremos[2] = {-1, -1}; // [0] read by the event loop, [1] written by the handler
constexpr int nSenales[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction anteriores[std::size(nSenales)];

void AlRecibirSenal(int nSenal)
{
    const int nErrnoGuardado = errno;
    const char cSenal = static_cast<char>(nSenal);
    [[maybe_unused]] const ssize_t nEscrito = ::write(nExtremos[1], &cSenal, 1);
    errno = nErrnoGuardado;
}

} // namespace

SenalesDeTermino::SenalesDeTermino(std::function<void(int)> alRecibir, QObject *pPadre)
    : QObject(pPadre), m_alRecibir(std::move(alRecibir))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, nExtremos) != 0)
        throw HostError(CodigoErrorHost::ErrorInterno,
                        QStringLiteral("No se pudo preparar el aviso de las señales de término"));
    m_pAviso = new QSocketNotifier(nExtremos[0], QSocketNotifier::Read, this);
    connect(m_pAviso, &QSocketNotifier::activated, this, &SenalesDeTermino::Lee);
    struct sigaction accion = {};
    accion.sa_handler = AlRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(nSenales); ++i)
        sigaction(nSenales[i], &accion, &anteriores[i]);
}

SenalesDeTermino::~SenalesDeTermino()
{
    for (size_t i = 0; i < std::size(nSenales); ++i)
        sigaction(nSenales[i], &anteriores[i], nullptr);
    delete m_pAviso;
    ::close(nExtremos[0]);
    ::close(nExtremos[1]);
    nExtremos[0] = nExtremos[1] = -1;
}

void SenalesDeTermino::Lee()
{
    char cSenal = 0;
    while (::read(nExtremos[0], &cSenal, 1) == 1)
        if (m_alRecibir)
            m_alRecibir(cSenal);
}
