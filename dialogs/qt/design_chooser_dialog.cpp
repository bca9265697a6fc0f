#include "dialogs/qt/design_chooser_dialog.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/qt/design_gallery.h"
#include "store/label_sizes.h"

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Two choices side by side under a caption.
QGroupBox* Choice(QWidget* parent, const char* caption, QRadioButton* first, QRadioButton* second) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* group = new QButtonGroup(box);
    group->addButton(first);
    group->addButton(second);
    return box;
}

}  // namespace

void QtDesignPlatform::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("デザイン"), Text(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDesignPlatform::Confirm(const std::string& question) {
    return QMessageBox::question(parent_, QStringLiteral("デザイン"), Text(question)) == QMessageBox::Yes;
}

std::optional<std::string> QtDesignPlatform::AskName(const std::string& title, const std::string& current) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(Text(title));
    dialog.setLabelText(QStringLiteral("デザインの名前"));
    dialog.setTextValue(Text(current));
    // Wide enough for its title and a long name.
    dialog.setMinimumWidth(360);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().trimmed().toStdString();
}

std::optional<std::string> QtDesignPlatform::AskExportPath(const std::string& fileName) {
    const QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("デザインを書き出し"),
                                                      QDir::home().filePath(Text(fileName)), QStringLiteral("デザイン (*.ini)"));
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

std::optional<std::string> QtDesignPlatform::AskImportPath() {
    const QString path = QFileDialog::getOpenFileName(parent_, QStringLiteral("デザインを取り込み"), QDir::homePath(),
                                                      QStringLiteral("デザイン (*.ini);;すべてのファイル (*)"));
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

CDesignChooserDlg::CDesignChooserDlg(const designs::DesignLibrary& library, const SettingsProfile& settings,
                                     DesignTarget target, QWidget* parent)
    : ModelDialog(parent), platform_(this), model_(library, settings, std::move(target), platform_) {
    setWindowTitle(QStringLiteral("デザインを選ぶ"));
    list_ = new DesignGallery(LabelSize(settings, model_.Slot()), this);
    list_->OnPick([this] { return model_.selected; }, [this](int row) { Run([this, row] { model_.OnSelect(row); }); },
                  [this] { accept(); });
    description_ = DesignGallery::DescriptionLabel(this);

    everyone_ = new QRadioButton(QStringLiteral("全員"), this);
    everyone_->setObjectName(QStringLiteral("everyone"));
    selection_ = new QRadioButton(this);
    selection_->setObjectName(QStringLiteral("selection"));
    thisSize_ = new QRadioButton(QStringLiteral("このラベルサイズ"), this);
    thisSize_->setObjectName(QStringLiteral("thisSize"));
    allSizes_ = new QRadioButton(QStringLiteral("すべてのラベルサイズ"), this);
    allSizes_->setObjectName(QStringLiteral("allSizes"));
    auto* scopes = new QHBoxLayout;
    scopes->addWidget(Choice(this, "適用するカード", everyone_, selection_));
    scopes->addWidget(Choice(this, "ラベルサイズ", thisSize_, allSizes_));

    rename_ = Button(QStringLiteral("名前を変更…"), "rename", [this] { model_.OnRename(); });
    delete_ = Button(QStringLiteral("削除"), "delete", [this] { model_.OnDelete(); });
    export_ = Button(QStringLiteral("書き出し…"), "export", [this] { model_.OnExport(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(rename_);
    bottom->addWidget(delete_);
    bottom->addWidget(export_);
    bottom->addWidget(Button(QStringLiteral("取り込み…"), "import", [this] { model_.OnImport(); }));
    bottom->addWidget(Button(QStringLiteral("今のカードを保存…"), "saveCurrent", [this] { model_.OnSaveCurrent(); }));
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    bottom->addWidget(buttons, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(description_);
    layout->addLayout(scopes);
    layout->addLayout(bottom);

    model_.OnOpen();
    ShowFields();
}

void CDesignChooserDlg::accept() {
    if (!TakeFields()) return;
    if (model_.OnOk()) QDialog::accept();
    ShowFields();
}

bool CDesignChooserDlg::TakeFields() {
    model_.toSelection = selection_->isChecked();
    model_.allSizes = allSizes_->isChecked();
    return true;
}

void CDesignChooserDlg::ShowFields() {
    list_->Show(model_.rows, model_.listVersion, model_.selected,
                [this](int row) -> const std::string& { return model_.PreviewFsPath(row); });
    description_->setText(Text(model_.description));
    selection_->setText(Text(model_.selectionCaption));
    selection_->setEnabled(model_.selectionEnabled);
    selection_->setChecked(model_.toSelection);
    everyone_->setChecked(!model_.toSelection);
    allSizes_->setChecked(model_.allSizes);
    thisSize_->setChecked(!model_.allSizes);
    rename_->setEnabled(model_.renameEnabled);
    delete_->setEnabled(model_.deleteEnabled);
    export_->setEnabled(model_.exportEnabled);
    ok_->setEnabled(model_.okEnabled);
}

bool RunDesignChooser(QWidget* parent, const SettingsProfile& settings, DesignTarget target) {
    const designs::DesignLibrary library = designs::DesignLibrary::Installed();
    CDesignChooserDlg dialog(library, settings, std::move(target), parent);
    return dialog.exec() == QDialog::Accepted;
}

void RunSaveDesign(QWidget* parent, const SettingsProfile& settings, const DesignTarget& target) {
    QtDesignPlatform platform(parent);
    SaveCardDesign(designs::DesignLibrary::Installed(), settings, target, platform);
}
