#pragma once

#include <QPdfWriter>
#include <QString>

#include <memory>

class MotorPdf;

// A PDF file to paint on with QPainter, as QPdfWriter is, written by a paint engine of ours
// (MotorPdf): one text operator per text item with the letter set once, where Qt's writes one
// per glyph, so the pages come out several times smaller and faster. The page layout, the
// resolution, the title and the creator are QPdfWriter's, and so are the device's metrics, so a
// report is laid out exactly as on Qt's writer: QPagedPaintDevice can only be built from Qt's
// private classes, and QPdfWriter is the public one that carries them. Its other settings (PDF
// version, XMP metadata, attachments) have no effect here.
//
// One document per writer, written when the painter ends, every page with the page layout in
// force when the painting began; then Falla() says why it was not written whole, if it was
// not: a drawing that it cannot hold (MotorPdf) or a failed write.
class EscritorPdf : public QPdfWriter
{
public:
    // pSalida must be open for writing and outlive the painting.
    explicit EscritorPdf(QIODevice *pSalida);
    ~EscritorPdf() override;

    bool newPage() override;

    QIODevice *Salida() const { return m_pSalida; }
    QString Falla() const;
    // Falla() is a letter that this writer cannot embed (CFF or OpenType outlines), and
    // nothing else went wrong before it.
    bool LetraAjena() const;
    // Bytes of the pages' content streams before compression (for the benchmark).
    qint64 BytesDeContenido() const;

protected:
    QPaintEngine *paintEngine() const override;

private:
    QIODevice *m_pSalida;
    std::unique_ptr<MotorPdf> m_pMotor;
};
