#include "dialogs/qt/list_export_dialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "dialogs/list_export.h"
#include "dialogs/list_import_model.h"
#include "store/locations.h"

void RunListExportDialog(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record) {
    std::string recordFsPath;
    if (!locations::StoredPathToFs(record.Path(), recordFsPath)) return;
    QStringList filters;
    for (const ListExportChoice& choice : ListExportChoices()) filters.append(QString::fromUtf8(choice.filter));
    QString selected = filters.front();
    const QString suggested = QString::fromStdString(SuggestedListFile(MergeFolder(settings), recordFsPath));
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("名簿を書き出し"), suggested,
                                                      filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty()) return;
    const auto index = static_cast<std::size_t>(std::max<qsizetype>(filters.indexOf(selected), 0));
    const std::string message = ExportRecordAsList(settings, recordFsPath, path.toStdString(), ListExportChoices()[index]);
    QMessageBox::information(parent, QStringLiteral("ZUL Name Card"), QString::fromStdString(message));
}
