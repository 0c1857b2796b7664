// The data-bound combo filled by the host's database object: the rows it lists, the value
// it yields for the chosen or typed text.

#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "BasesDDDePrueba.h"
#include "DataCombo.h"

class tst_DataCombo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void abrirDataSourceLlenaLaLista();
    void boundText_data();
    void boundText();

private:
    BasesDD &Bases() { return m_prueba->Bases(); }
    void Abre(Connection &cnn) { m_prueba->Abre(cnn); }

    std::unique_ptr<BasesDDDePrueba> m_prueba;
};

void tst_DataCombo::init()
{
    m_prueba = std::make_unique<BasesDDDePrueba>();
}

void tst_DataCombo::cleanup()
{
    m_prueba.reset();
}

void tst_DataCombo::abrirDataSourceLlenaLaLista()
{
    Connection cnn;
    Abre(cnn);
    DataCombo combo;
    combo.setListField(QStringLiteral("Linea"));
    combo.setBoundColumn(QStringLiteral("ID"));
    combo.addItem(QStringLiteral("de antes"), 42);
    combo.setEditText(QStringLiteral("escrito antes"));
    QSignalSpy textoEditado(&combo, &QComboBox::editTextChanged);
    QSignalSpy textoActual(&combo, &QComboBox::currentTextChanged);
    QSignalSpy indice(&combo, &QComboBox::currentIndexChanged);

    Recordset rs;
    Bases().AbrirDataSource(rs, cnn, QStringLiteral("lineas order by Linea"), &combo);
    QStringList listadas;
    QVariantList ligadas;
    for (int i = 0; i < combo.count(); ++i) {
        listadas << combo.itemText(i);
        ligadas << combo.itemData(i);
    }
    QCOMPARE(listadas, QStringList({QStringLiteral("Ferretería"), QStringLiteral("Material eléctrico"),
                                    QStringLiteral("Plomería")}));
    QCOMPARE(ligadas, QVariantList({1, 2, 3}));
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.currentText(), QString());
    QVERIFY(!combo.BoundText().isValid());
    QCOMPARE(textoEditado.count(), 0);
    QCOMPARE(textoActual.count(), 0);
    QCOMPARE(indice.count(), 0);

    // A second filling replaces the list.
    Bases().AbrirDataSource(rs, cnn, QStringLiteral("lineas where ID > 1 order by ID"), &combo);
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QStringLiteral("Material eléctrico"));
}
void tst_DataCombo::boundText_data()
{
    // clang-format off
    QTest::addColumn<int>("fila");      // the chosen row; -1 for none
    QTest::addColumn<QString>("texto"); // then typed, when not empty
    QTest::addColumn<QVariant>("esperado");

    // The list: Ferretería (1), Ferretería (4), Material eléctrico (2), Plomería (3).
    QTest::newRow("primera") << 0 << "" << QVariant(1);
    QTest::newRow("última") << 3 << "" << QVariant(3);
    QTest::newRow("segunda de dos iguales") << 1 << "" << QVariant(4);
    QTest::newRow("elegida y luego escrita otra") << 1 << "Plomería" << QVariant(3);
    QTest::newRow("escrito igual") << -1 << "Material eléctrico" << QVariant(2);
    QTest::newRow("escrito a medias") << -1 << "Plom" << QVariant();
    QTest::newRow("escrito de más") << -1 << "Plomería " << QVariant();
    QTest::newRow("escrito sin acento") << -1 << "Plomeria" << QVariant();
    QTest::newRow("vacío") << -1 << "" << QVariant();
    // clang-format on
}
void tst_DataCombo::boundText()
{
    QFETCH(int, fila);
    QFETCH(QString, texto);
    QFETCH(QVariant, esperado);
    m_prueba->base.Ejecuta(QStringLiteral("insert into lineas values (4, 'Ferretería')"));
    Connection cnn;
    Abre(cnn);
    DataCombo combo;
    combo.setListField(QStringLiteral("Linea"));
    combo.setBoundColumn(QStringLiteral("ID"));
    Recordset rs;
    Bases().AbrirDataSource(rs, cnn, QStringLiteral("lineas order by Linea, ID"), &combo);
    QCOMPARE(combo.count(), 4);
    if (fila >= 0)
        combo.setCurrentIndex(fila);
    if (!texto.isEmpty())
        combo.setEditText(texto);
    QCOMPARE(combo.BoundText(), esperado);
}

QTEST_MAIN(tst_DataCombo)
#include "tst_DataCombo.moc"
