#pragma once

#include <QString>
#include <QtGlobal>

class QSqlError;
struct Esperas;

// The database's failures as the user reads them: the server's or the client library's
// number, and in Spanish what it means where the number says it. Beside HostError, below the
// connection and its recordsets, which both raise them.

// MariaDB's and MySQL's answer to an account it does not take (ER_ACCESS_DENIED_ERROR).
constexpr int nAccesoDenegado = 1045;

// Why a server that accepts only encrypted connections refused one, and what to set.
extern const QString cPideTls;

// The number of a failure; 0 when the driver gave none.
int NumeroDeError(const QSqlError &error);

// Whether the number says that no server answered where the connection looked for one (none
// running there, or one still starting).
bool SinServidor(int nNumero);

// Whether the number says that the session is gone (the server went away, dropped it, or
// closed it for idling).
bool SeCortoLaSesion(int nNumero);

// The failure of a database call: the server's own number and text, and in Spanish what it
// means for the user where the number says it (no server, a lost session, a lock that did
// not come free). With the waits, the message says how long the program waited, for the
// connection (bConectando) or for an answer.
// nMilisegundos: how long the failed statement took (a session lost at once was closed by the
// server, not left without an answer); -1 when unknown.
[[noreturn]] void LanzaErrorBase(const QSqlError &error, const Esperas *pEsperas = nullptr, bool bConectando = false,
                                 qint64 nMilisegundos = -1);
