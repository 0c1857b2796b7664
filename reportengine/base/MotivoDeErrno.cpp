#include "MotivoDeErrno.h"

#include <cerrno>
#include <cstring>

QString MotivoDeErrno(int nErrno)
{
    switch (nErrno) {
    case ENOSPC: return QStringLiteral("el disco está lleno");
    // A file size limit stops the file as a full disk would; the user acts the same way.
    case EFBIG: return QStringLiteral("el disco está lleno: el archivo excede el tamaño permitido");
    case EDQUOT: return QStringLiteral("se agotó la cuota de disco del usuario");
    case EACCES:
    case EPERM: return QStringLiteral("permiso denegado");
    case EROFS: return QStringLiteral("el sistema de archivos es de solo lectura");
    case ENOENT: return QStringLiteral("la carpeta no existe");
    case ENOTDIR: return QStringLiteral("una parte de la ruta no es una carpeta");
    case ENAMETOOLONG: return QStringLiteral("la ruta es demasiado larga");
    case EIO: return QStringLiteral("error de entrada/salida del disco");
    default: return QString::fromLocal8Bit(std::strerror(nErrno));
    }
}
