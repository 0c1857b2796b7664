#include "TextoDeErrno.h"

#include <cerrno>
#include <cstring>

QString TextoDeErrno(int nErrno)
{
    switch (nErrno) {
    case EACCES:
    case EPERM: return QStringLiteral("permiso denegado");
    case EROFS: return QStringLiteral("el sistema de archivos es de solo lectura");
    case ENOSPC: return QStringLiteral("el disco está lleno");
    case EFBIG: return QStringLiteral("el disco está lleno: el archivo excede el tamaño permitido");
    case EDQUOT: return QStringLiteral("se agotó la cuota de disco del usuario");
    case ENOENT: return QStringLiteral("no existe");
    case ENOTDIR: return QStringLiteral("una parte de la ruta no es una carpeta");
    case EEXIST: return QStringLiteral("ya existe algo con ese nombre");
    case ENAMETOOLONG: return QStringLiteral("la ruta es demasiado larga");
    default: return QString::fromLocal8Bit(std::strerror(nErrno));
    }
}
