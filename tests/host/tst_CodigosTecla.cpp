// The platform's key numbers, from Qt's keys.

#include <QKeyEvent>
#include <QtTest>

#include "CodigosTecla.h"

class tst_CodigosTecla : public QObject
{
    Q_OBJECT
private slots:
    void codigosTecla_data();
    void codigosTecla();
};

void tst_CodigosTecla::codigosTecla_data()
{
    // clang-format off
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("codigoVirtual");
    QTest::addColumn<int>("caracter");

    QTest::newRow("intro") << int(Qt::Key_Return) << int(Qt::NoModifier) << "\r" << 13 << 13;
    QTest::newRow("intro del teclado numérico") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13 << 13;
    QTest::newRow("arriba") << int(Qt::Key_Up) << int(Qt::NoModifier) << "" << 38 << 0;
    QTest::newRow("abajo") << int(Qt::Key_Down) << int(Qt::NoModifier) << "" << 40 << 0;
    QTest::newRow("a") << int(Qt::Key_A) << int(Qt::NoModifier) << "a" << 65 << 97;
    QTest::newRow("A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65 << 65;
    QTest::newRow("z") << int(Qt::Key_Z) << int(Qt::NoModifier) << "z" << 90 << 122;
    QTest::newRow("cinco") << int(Qt::Key_5) << int(Qt::NoModifier) << "5" << 53 << 53;
    QTest::newRow("blanco") << int(Qt::Key_Space) << int(Qt::NoModifier) << " " << 32 << 32;
    QTest::newRow("retroceso") << int(Qt::Key_Backspace) << int(Qt::NoModifier) << "\b" << 8 << 8;
    QTest::newRow("tabulador") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "\t" << 9 << 9;
    QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << "\x1b" << 27 << 27;
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << "" << 112 << 0;
    QTest::newRow("F12") << int(Qt::Key_F12) << int(Qt::NoModifier) << "" << 123 << 0;
    QTest::newRow("mayúsculas sola") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << 0 << 0;
    // clang-format on
}

void tst_CodigosTecla::codigosTecla()
{
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QString, texto);
    QFETCH(int, codigoVirtual);
    QFETCH(int, caracter);
    const QKeyEvent evento(QEvent::KeyPress, tecla, Qt::KeyboardModifiers(modificadores), texto);
    QCOMPARE(int(CodigosTecla::CodigoVirtual(evento)), codigoVirtual);
    QCOMPARE(int(CodigosTecla::CodigoCaracter(evento)), caracter);
}

QTEST_MAIN(tst_CodigosTecla)
#include "tst_CodigosTecla.moc"
