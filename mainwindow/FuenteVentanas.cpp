#include "FuenteVentanas.h"

#include <QStringList>

QFont FuenteVentanas()
{
    const QString cFamilia = QStringLiteral("MS Sans Serif");
    if (QFont::substitutes(cFamilia).isEmpty())
        QFont::insertSubstitution(cFamilia, QStringLiteral("DejaVu Sans"));
    QFont fuente(cFamilia);
    fuente.setPointSizeF(9.75);
    return fuente;
}
