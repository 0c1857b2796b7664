#include "ExportacionReporte.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include "SalidaArchivo.h"

namespace {

const QString cFiltroPdf = QStringLiteral("PDF (*.pdf)");
// The CSV is the exact data for other programs (UTF-8 without a mark, commas, decimal points);
// a person who opens the report in a spreadsheet is better served by the workbook.
const QString cFiltroCsv = QStringLiteral("CSV para otros programas (*.csv)");
const QString cFiltroLibro = QStringLiteral("Libro de Excel (*.xlsx)");

// "csv" of "CSV (*.csv)".
QString ExtensionDelFiltro(const QString &cFiltro)
{
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch encontrada = extension.match(cFiltro);
    return encontrada.hasMatch() ? encontrada.captured(1) : QStringLiteral("pdf");
}

// The title as a file name, without the characters that file systems refuse.
QString NombreDeArchivo(const QString &cTitulo)
{
    static const QRegularExpression prohibidos(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]+"));
    const QString cNombre = QString(cTitulo).replace(prohibidos, QStringLiteral("-")).trimmed();
    return cNombre.isEmpty() ? QStringLiteral("informe") : cNombre;
}

} // namespace

QString ExportacionReporte::PideRuta(QWidget *pPadre, const QString &cTitulo, QString &cCarpeta)
{
    QFileDialog dialogo(pPadre, QStringLiteral("Exportar el informe"), cCarpeta);
    dialogo.setObjectName(QStringLiteral("dialogoExportar"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilters({cFiltroPdf, cFiltroLibro, cFiltroCsv});
    dialogo.selectFile(NombreDeArchivo(cTitulo));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    QString cRuta = dialogo.selectedFiles().constFirst();
    if (!SalidaArchivo::EsDeUnTipoConocido(cRuta)) {
        // The type chosen when the dialog closed. Not the dialog's default suffix: it would
        // have to follow every change of the list, and a name like "informe.2024" has a
        // suffix to the dialog, which then adds none and does not ask before replacing.
        cRuta += QLatin1Char('.') + ExtensionDelFiltro(dialogo.selectedNameFilter());
        if (QFileInfo::exists(cRuta) &&
            QMessageBox::question(pPadre, QStringLiteral("Exportar el informe"),
                                  QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?").arg(cRuta)) !=
                QMessageBox::Yes)
            return {};
    }
    cCarpeta = QFileInfo(cRuta).absolutePath();
    return cRuta;
}
