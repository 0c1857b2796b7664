#pragma once

#include <QString>

// Where the program finds its own files. A copy that carries its settings file beside it (a
// build folder, a portable copy) keeps everything there; an installed program, whose folder
// its users cannot write, keeps each user's settings under the user's configuration folder
// and finds its report file in the installation's data folder.
namespace ArchivosPrograma {

// The settings file: the executable's folder + "/" + its file name + ".ini" when that file
// exists; otherwise $XDG_CONFIG_HOME/informe-mensual/informe-mensual.ini (~/.config/...),
// which its first use creates from the administrator's copy in $XDG_CONFIG_DIRS
// (/etc/xdg/informe-mensual/informe-mensual.ini) when there is one. A folder that cannot be
// created, or an administrator's copy that cannot be copied, is a HostError that names the path.
QString PreparaArchivoIni(const QString &cRutaEjecutable);

// Which settings file the program would use, without creating anything.
QString ArchivoIni(const QString &cRutaEjecutable);

// The report file InformeMensual.rpt: beside the program, else in ../share/informe-mensual/
// relative to the program's folder; when neither exists, the one beside the program (whose
// absence the report then names).
QString ArchivoInforme(const QString &cCarpetaPrograma);

} // namespace ArchivosPrograma
