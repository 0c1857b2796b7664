#pragma once

#include <QString>

class Mensajes;

// Opens a file for editing with the desktop's opener (xdg-open), the application the user
// chose for its type. The opener answers later than the call: when it finds no application,
// the user reads why in a message that names the file.
//
// Throws HostError (ErrorDeAccesoArchivo) when there is no opener to start. An opener that
// is still running when the program ends is left running, so that an editor it started keeps
// the user's unsaved work.
void AbreParaEditar(const QString &cArchivo, Mensajes &mensajes);

// Lets the openers started so far answer, for at most nMilisegundos: a program about to end
// calls it so that the message of an opener that found no application still reaches the user.
void EsperaRespuestaDeAbridores(int nMilisegundos);
