#include "ConexionRpt.h"

QString ValorDeConexion(const QString &cValor)
{
    if (!cValor.contains(QLatin1Char(';')) && !cValor.contains(QLatin1Char('{')) && !cValor.contains(QLatin1Char('}')))
        return cValor;
    QString cEntreLlaves = cValor;
    cEntreLlaves.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return QLatin1Char('{') + cEntreLlaves + QLatin1Char('}');
}

QString ArmaTextoConexion(const QString &cServidor, const QString &cBase, const QString &cUsuario,
                          const QString &cPassword)
{
    return QStringLiteral("SERVER=") + ValorDeConexion(cServidor) + QStringLiteral(";DB=") + ValorDeConexion(cBase) +
           QStringLiteral(";UID=") + ValorDeConexion(cUsuario) + QStringLiteral(";PWD=") + ValorDeConexion(cPassword) +
           QLatin1Char(';');
}
