#pragma once

#include <QString>

// What the system said about a failed file operation, in Spanish whatever the user's locale
// (the C library speaks the locale's language, often English on a server), for the causes a
// person can act on; any other cause in the C library's own words.
QString TextoDeErrno(int nErrno);
