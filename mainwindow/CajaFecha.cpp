#include "CajaFecha.h"

CajaFecha::CajaFecha(QWidget *pPadre) : QLineEdit(pPadre) {}
