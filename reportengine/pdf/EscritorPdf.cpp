#include "EscritorPdf.h"

#include "MotorPdf.h"

EscritorPdf::EscritorPdf(QIODevice *pSalida)
    : QPdfWriter(pSalida), m_pSalida(pSalida), m_pMotor(std::make_unique<MotorPdf>(*this))
{
}

EscritorPdf::~EscritorPdf() = default;

QPaintEngine *EscritorPdf::paintEngine() const
{
    return m_pMotor.get();
}

bool EscritorPdf::newPage()
{
    return m_pMotor->NuevaPagina();
}

QString EscritorPdf::Falla() const
{
    return m_pMotor->Falla();
}

bool EscritorPdf::LetraAjena() const
{
    return m_pMotor->LetraAjena();
}

qint64 EscritorPdf::BytesDeContenido() const
{
    return m_pMotor->BytesDeContenido();
}
