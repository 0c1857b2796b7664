#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

using ValoresOdbc = QMap<QString, QString>;

// A user data-source file of the test's own: $ODBCINI points at it while the object lives,
// so that no test writes into the user's data sources.
class ArchivoOdbc
{
public:
    ArchivoOdbc() : m_cArchivo(m_carpeta.filePath(QStringLiteral("odbc.ini")))
    {
        m_antes = qgetenv("ODBCINI");
        m_bHabia = qEnvironmentVariableIsSet("ODBCINI");
        qputenv("ODBCINI", QFile::encodeName(m_cArchivo));
    }
    ~ArchivoOdbc()
    {
        if (m_bHabia)
            qputenv("ODBCINI", m_antes);
        else
            qunsetenv("ODBCINI");
    }
    ArchivoOdbc(const ArchivoOdbc &) = delete;
    ArchivoOdbc &operator=(const ArchivoOdbc &) = delete;

    const QString &Ruta() const { return m_cArchivo; }
    // The file in a folder that does not exist: every write into it fails.
    void Inalcanzable()
    {
        qputenv("ODBCINI", QFile::encodeName(m_carpeta.filePath(QStringLiteral("no/hay/odbc.ini"))));
    }

    // The values of one data source as the file holds them; a key written twice shows as
    // "<first>|<second>", so that a duplicated line does not go unnoticed.
    ValoresOdbc Valores(const QString &cFuente) const
    {
        QFile archivo(m_cArchivo);
        ValoresOdbc valores;
        if (!archivo.open(QIODevice::ReadOnly))
            return valores;
        bool bEnFuente = false;
        for (const QByteArray &linea : archivo.readAll().split('\n')) {
            const QString cLinea = QString::fromUtf8(linea).trimmed();
            if (cLinea.startsWith(QLatin1Char('[')))
                bEnFuente = cLinea == QLatin1Char('[') + cFuente + QLatin1Char(']');
            else if (bEnFuente && cLinea.contains(QLatin1Char('='))) {
                const QString cClave = cLinea.section(QLatin1Char('='), 0, 0).trimmed();
                const QString cValor = cLinea.section(QLatin1Char('='), 1).trimmed();
                valores[cClave] = valores.contains(cClave) ? valores[cClave] + QLatin1Char('|') + cValor : cValor;
            }
        }
        return valores;
    }

private:
    QTemporaryDir m_carpeta;
    QString m_cArchivo;
    QByteArray m_antes;
    bool m_bHabia = false;
};
