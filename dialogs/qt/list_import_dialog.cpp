#include "dialogs/qt/list_import_dialog.h"

#include "dialogs/qt/card_preview_widget.h"
#include "dialogs/qt/list_import_boxes.h"
#include "dialogs/qt/report_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QButtonGroup* Radios(QWidget* parent, QBoxLayout* layout, const char* name, const std::vector<const char*>& captions) {
    auto* group = new QButtonGroup(parent);
    group->setObjectName(QString::fromLatin1(name));
    int id = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
        radio->setObjectName(QString::fromLatin1(name) + QString::number(id));
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    return group;
}

}  // namespace

CListImportDlg::CListImportDlg(const SettingsProfile& settings, RecordProfile& record, ListImportPlatform& platform,
                               QWidget* parent)
    : ModelDialog(parent), model_(settings, record, platform) {
    setWindowTitle(QStringLiteral("差し込み印刷設定"));
    file_ = new ListFileBox(model_, *this, [this] { model_.OnBrowse(); }, [this] { model_.OnPathEntered(); });
    columns_ = new ColumnMappingBox(model_, *this);

    auto* where = new QGroupBox(QStringLiteral("取り込み先"), this);
    auto* whereLayout = new QVBoxLayout(where);
    destination_ = Radios(where, whereLayout, "destination", {"今の記録ファイルに追加", "今の記録ファイルのカードと置き換え", "新しい記録ファイル"});
    newFile_ = Field("newFileName");
    whereLayout->addWidget(newFile_);
    connect(destination_, &QButtonGroup::idClicked, this, [this] {
        if (!showing_) Run([this] { model_.OnDestinationChanged(); });
    });
    auto* look = new QGroupBox(QStringLiteral("デザイン"), this);
    auto* lookLayout = new QVBoxLayout(look);
    design_ = Radios(look, lookLayout, "design", {"現在のカード", "番号を指定したカード", "登録済みのデフォルト", "なし", "デザインから選ぶ"});
    designCard_ = Field("designCard");
    lookLayout->insertWidget(2, designCard_);
    libraryDesign_ = new QComboBox(look);
    libraryDesign_->setObjectName(QStringLiteral("libraryDesign"));
    lookLayout->addWidget(libraryDesign_);
    connect(libraryDesign_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) Run([this] { model_.OnDestinationChanged(); });
    });
    connect(design_, &QButtonGroup::idClicked, this, [this] {
        if (!showing_) Run([this] { model_.OnDestinationChanged(); });
    });
    tag_ = new CardPreviewWidget(this);
    tag_->setObjectName(QStringLiteral("tag"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(where);
    choices->addWidget(look);
    choices->addWidget(tag_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_);
    layout->addWidget(columns_, 1);
    layout->addLayout(choices);
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    layout->addWidget(buttons);

    model_.OnOpen();
    ShowFields();
}

void CListImportDlg::accept() {
    if (!TakeFields()) return;
    if (model_.OnOk()) {
        QDialog::accept();
        return;
    }
    ShowFields();
}

bool CListImportDlg::TakeFields() {
    file_->TakeFields();
    columns_->TakeFields();
    model_.destination = std::max(destination_->checkedId(), 0);
    model_.newFileName = newFile_->text().toStdString();
    model_.design = std::max(design_->checkedId(), 0);
    model_.designCard = designCard_->text().toStdString();
    model_.libraryDesign = std::max(libraryDesign_->currentIndex(), 0);
    return true;
}

void CListImportDlg::ShowFields() {
    showing_ = true;
    file_->ShowFields();
    columns_->ShowFields();
    destination_->button(model_.destination)->setChecked(true);
    if (newFile_->text() != Text(model_.newFileName)) newFile_->setText(Text(model_.newFileName));
    newFile_->setEnabled(model_.newFileNameEnabled);
    design_->button(model_.design)->setChecked(true);
    if (designCard_->text() != Text(model_.designCard)) designCard_->setText(Text(model_.designCard));
    designCard_->setEnabled(model_.designCardEnabled);
    if (libraryDesign_->count() != static_cast<int>(model_.libraryDesigns.size())) {
        libraryDesign_->clear();
        for (const std::string& name : model_.libraryDesigns) libraryDesign_->addItem(Text(name));
    }
    libraryDesign_->setCurrentIndex(model_.libraryDesign);
    libraryDesign_->setEnabled(model_.libraryDesignEnabled);
    ok_->setEnabled(model_.okEnabled);
    tag_->SetRecord(model_.TagPreview());
    showing_ = false;
}

QtListImportPlatform::QtListImportPlatform(QWidget* parent) : parent_(parent) {}
QtListImportPlatform::~QtListImportPlatform() = default;

std::optional<std::string> QtListImportPlatform::ChooseListFile(const std::string& folder) {
    const QString chosen = QFileDialog::getOpenFileName(
        parent_, QStringLiteral("名簿ファイルを開く"), Text(folder),
        QStringLiteral("名簿 (*.csv *.tsv *.txt *.xlsx *.ods);;すべてのファイル (*)"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void QtListImportPlatform::ShowMessage(const std::string& text) {
    QMessageBox::information(parent_, QStringLiteral("ZUL Name Card"), Text(text));
}

void QtListImportPlatform::ShowReport(const std::string& text) { ::ShowReport(parent_, Text(text)); }

std::optional<UnencodablePolicy> QtListImportPlatform::AskUnencodable(const std::string& listing) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ZUL Name Card"),
                    QStringLiteral("シフトJISにない文字があります。そのまま保存すると、この文字を知らないプログラムでは〓と表示されます。"),
                    QMessageBox::NoButton, parent_);
    box.setDetailedText(Text(listing));
    // Each character large, so that 𠮷 is not taken for 吉.
    QString shown = Text(listing).toHtmlEscaped();
    shown.replace(QRegularExpression(QStringLiteral("「([^」]+)」")), QStringLiteral("「<span style=\"font-size:24pt\">\\1</span>」"));
    box.setInformativeText(QStringLiteral("<p>") + shown.replace(QStringLiteral("\n"), QStringLiteral("<br>")) + QStringLiteral("</p>"));
    QPushButton* keep = box.addButton(QStringLiteral("そのまま保存"), QMessageBox::AcceptRole);
    box.setDefaultButton(keep);
    QPushButton* substitute = box.addButton(QStringLiteral("候補の文字にする"), QMessageBox::AcceptRole);
    QPushButton* skip = box.addButton(QStringLiteral("その行を飛ばす"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(QStringLiteral("〓に置き換える"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == keep) return UnencodablePolicy::Keep;
    if (box.clickedButton() == substitute) return UnencodablePolicy::Substitute;
    if (box.clickedButton() == skip) return UnencodablePolicy::SkipRow;
    if (box.clickedButton() == replace) return UnencodablePolicy::Replace;
    return std::nullopt;
}

bool QtListImportPlatform::Progress(double share) {
    if (share >= 1.0) {
        progress_.reset();
        return true;
    }
    // Shown only when the reading takes more than a second.
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(QStringLiteral("名簿を読んでいます..."), QStringLiteral("中止"), 0,
                                                      100, parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(1000);
    }
    progress_->setValue(static_cast<int>(share * 100));
    return !progress_->wasCanceled();
}

bool RunListImportDialog(QWidget* parent, const SettingsProfile& settings, RecordProfile& record) {
    QtListImportPlatform platform(parent);
    CListImportDlg dialog(settings, record, platform, parent);
    return dialog.exec() == QDialog::Accepted;
}
