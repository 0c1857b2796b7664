#include "Utilerias.h"

#include "HostError.h"

#include <cctype>

namespace {
const QByteArray &Clave()
{
    static const QByteArray clave("Almena-informe-mensual");
    return clave;
}

// Byte i of the stream is mixed with the key and its position, so equal letters differ.
char Mezcla(char c, qsizetype i)
{
    return char(uchar(c) ^ uchar(Clave().at(i % Clave().size())) ^ uchar((i * 37) & 0xFF));
}
} // namespace

QString Utilerias::CambXXX(const QString &cPlantilla, const QVariant &valor) const
{
    QString cResultado = cPlantilla;
    return cResultado.replace(QStringLiteral("XXX"), valor.toString());
}

QString Utilerias::Encripta(const QString &cTexto) const
{
    const QByteArray plano = cTexto.toUtf8();
    QByteArray flujo;
    flujo.append(char(plano.size() & 0xFF)); // a length byte: an empty text still has a cipher
    flujo.append(plano);
    // A check sum closes the stream, so that a damaged cipher is refused instead of giving
    // another text.
    const quint16 nSuma = qChecksum(flujo);
    flujo.append(char(nSuma >> 8));
    flujo.append(char(nSuma & 0xFF));
    for (qsizetype i = 0; i < flujo.size(); ++i)
        flujo[i] = Mezcla(flujo.at(i), i);
    return QString::fromLatin1(flujo.toHex().toUpper());
}

QString Utilerias::DesEncripta(const QString &cCifrado) const
{
    const QByteArray hex = cCifrado.trimmed().toLatin1();
    bool bValido = !hex.isEmpty() && hex.size() % 2 == 0;
    for (char c : hex)
        bValido = bValido && std::isxdigit(uchar(c));
    QByteArray flujo = QByteArray::fromHex(hex);
    for (qsizetype i = 0; i < flujo.size(); ++i)
        flujo[i] = Mezcla(flujo.at(i), i);
    bValido = bValido && flujo.size() >= 3 && uchar(flujo.at(0)) == ((flujo.size() - 3) & 0xFF);
    if (bValido) {
        const quint16 nSuma = qChecksum(QByteArrayView(flujo).first(flujo.size() - 2));
        bValido = uchar(flujo.at(flujo.size() - 2)) == (nSuma >> 8) && uchar(flujo.back()) == (nSuma & 0xFF);
    }
    if (!bValido)
        throw HostError(CodigoErrorHost::TipoNoCoincide,
                        QStringLiteral("El valor cifrado «%1» del almacén de Almena no es válido").arg(cCifrado));
    return QString::fromUtf8(flujo.mid(1, flujo.size() - 3));
}
