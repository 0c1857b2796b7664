#pragma once

#include <QString>

// What the system said about a failed write of a report file, in Spanish whatever the user's
// locale, for the causes a person can act on (a full disk above all); any other cause in the
// C library's own words. The engine uses Qt only, so it keeps these texts itself; the host's
// TextoDeErrno says the same for the host's files.
QString MotivoDeErrno(int nErrno);
