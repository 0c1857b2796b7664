#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// The objects of a PDF file as they go out, numbered, with their offsets kept for the
// cross-reference table that closes the file; streams go out compressed with zlib. It is written
// from inside Qt's paint calls (MotorPdf), where no exception may pass, so a failed write is kept
// (Falla) and everything after it is skipped. Also the number formats of the file's text.
class ArchivoPdf
{
public:
    explicit ArchivoPdf(QIODevice *pSalida);

    // A number for an object that is written later (one that others refer to first).
    int Reserva();
    // "n 0 obj", the body, "endobj"; nObjeto 0 takes the next number. Returns the number.
    int Escribe(const QByteArray &cuerpo, int nObjeto = 0);
    // A stream compressed with zlib; cDiccionario holds the entries besides /Length and /Filter.
    int EscribeFlujo(const QByteArray &datos, const QByteArray &cDiccionario = {}, int nObjeto = 0);
    // The same in two steps: Comprime, which touches nothing of the file and may run on another
    // thread, then EscribeComprimido with what it gave.
    static QByteArray Comprime(const QByteArray &datos);
    int EscribeComprimido(const QByteArray &comprimido, const QByteArray &cDiccionario = {}, int nObjeto = 0);
    // The cross-reference table and the trailer.
    void Cierra(int nCatalogo, int nInformacion);

    const QString &Falla() const { return m_cFalla; }

    // dValor with at most nDecimales decimals and no trailing zeros ("12.5", "-3", "0.06").
    static void Numero(QByteArray &destino, double dValor, int nDecimales);
    // nValor / 10^nDecimales written the same way, exactly.
    static void Decimal(QByteArray &destino, qint64 nValor, int nDecimales);
    // A text string for the document's information: UTF-16BE with its byte-order mark, in hex.
    static QByteArray Texto(const QString &cTexto);

private:
    void Agrega(const char *pDatos, qint64 nBytes);
    void Agrega(const QByteArray &datos) { Agrega(datos.constData(), datos.size()); }
    void Empieza(int nObjeto);

    QIODevice *m_pSalida;
    qint64 m_nPosicion = 0;
    QList<qint64> m_posiciones; // of object n at n - 1; -1 while only reserved
    QString m_cFalla;
};
