#include "dialogs/qt/list_to_tags_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/qt/card_preview_widget.h"
#include "dialogs/qt/design_gallery.h"
#include "dialogs/qt/list_import_boxes.h"
#include "dialogs/qt/sheet_chooser_dialog.h"
#include "dialogs/qt/sheet_search_box.h"
#include "store/label_sizes.h"

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QWidget* Page(QWidget* parent, const char* heading, QWidget* body, QWidget* beside = nullptr) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* caption = new QLabel(QString::fromUtf8(heading), page);
    caption->setWordWrap(true);
    layout->addWidget(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(body, 1);
    if (beside != nullptr) row->addWidget(beside);
    layout->addLayout(row, 1);
    return page;
}

}  // namespace

CListToTagsDlg::CListToTagsDlg(sheets::SheetCatalogue& catalogue,
                               const SettingsProfile& settings, RecordProfile& record, QWidget* parent)
    : ModelDialog(parent), import_(this), model_(catalogue, settings, record, *this) {
    setWindowTitle(QStringLiteral("名簿から作成"));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("pageTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    file_ = new ListFileBox(model_.list, *this, [this] { model_.OnBrowse(); }, [this] { model_.OnPathEntered(); });
    auto* listFile = new QWidget(this);
    auto* listFileLayout = new QVBoxLayout(listFile);
    listFileLayout->setContentsMargins(0, 0, 0, 0);
    listFileLayout->addWidget(file_);
    listFileLayout->addStretch();
    columns_ = new ColumnMappingBox(model_.list, *this);
    firstTag_ = new CardPreviewWidget(this);
    gallery_ = new DesignGallery(LabelSize(settings, model_.Slot()), this);
    gallery_->OnPick([this] { return model_.design; },
                     [this](int row) { Run([this, row] { model_.OnSelectDesign(row); }); },
                     [this] { Run([this] { model_.OnDesignChosen(gallery_->currentRow()); }); });
    designText_ = new QLabel(this);
    designText_->setWordWrap(true);
    auto* designs = new QWidget(this);
    auto* designsLayout = new QVBoxLayout(designs);
    designsLayout->setContentsMargins(0, 0, 0, 0);
    designsLayout->addWidget(gallery_, 1);
    designsLayout->addWidget(designText_);
    sheet_ = new SheetSearchBox(model_.sheet, *this);
    name_ = Field("recordName");
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    chosenTag_ = new CardPreviewWidget(this);
    auto* finish = new QWidget(this);
    auto* finishLayout = new QVBoxLayout(finish);
    finishLayout->setContentsMargins(0, 0, 0, 0);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("記録ファイルの名前"), finish));
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(new QLabel(QStringLiteral(".ini"), finish));
    finishLayout->addLayout(nameRow);
    finishLayout->addWidget(summary_, 1);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(Page(this, "名札にする名簿 (Excel・CSV・OpenDocument) を選んでください。", listFile));
    pages_->addWidget(Page(this, "右は1人目の名札です。デザインは次のページで選びます。", columns_, firstTag_));
    pages_->addWidget(Page(this, "デザインを選んでください (ダブルクリックで次へ)。", designs));
    pages_->addWidget(Page(this, "ラベル用紙を選んでください。", sheet_));
    pages_->addWidget(Page(this, "記録ファイルを作り、名札を表示します。", finish, chosenTag_));

    back_ = Button(QStringLiteral("< 戻る"), "back", [this] { model_.OnBack(); });
    next_ = Button(QStringLiteral("次へ >"), "next", [this] { model_.OnNext(); });
    finishButtons_ = new QWidget(this);
    auto* finishRow = new QHBoxLayout(finishButtons_);
    finishRow->setContentsMargins(0, 0, 0, 0);
    QPushButton* make = Button(QStringLiteral("作成"), "make", [this] { Finish(ListToTagsModel::Then::Show); });
    finishRow->addWidget(make);
    finishRow->addWidget(Button(QStringLiteral("作成してPDFに書き出し..."), "makePdf",
                                [this] { Finish(ListToTagsModel::Then::ExportPdf); }));
    finishRow->addWidget(Button(QStringLiteral("作成して印刷..."), "makePrint", [this] { Finish(ListToTagsModel::Then::Print); }));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    buttons->addWidget(finishButtons_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    resize(900, 620);

    model_.OnOpen();
    ShowFields();
    // The first step is choosing the list: its chooser opens over the dialog at once.
    QTimer::singleShot(0, this, [this] { Run([this] { model_.OnBrowse(); }); });
}

void CListToTagsDlg::accept() {
    if (model_.page == ListToTagsModel::kFinishPage)
        Finish(ListToTagsModel::Then::Show);
    else
        Run([this] { model_.OnNext(); });
}

void CListToTagsDlg::Finish(ListToTagsModel::Then then) {
    if (TakeFields() && model_.OnFinish(then)) {
        QDialog::accept();
        return;
    }
    ShowFields();
}

bool CListToTagsDlg::TakeFields() {
    file_->TakeFields();
    columns_->TakeFields();
    sheet_->TakeFields();
    model_.recordName = name_->text().trimmed().toStdString();
    return true;
}

void CListToTagsDlg::ShowFields() {
    model_.Update();
    title_->setText(Text(model_.pageTitle));
    pages_->setCurrentIndex(model_.page);
    file_->ShowFields();
    columns_->ShowFields();
    firstTag_->SetRecord(model_.DesignPreviewFsPath(model_.design));
    gallery_->Show(model_.designs, model_.designVersion, model_.design,
                   [this](int row) -> const std::string& { return model_.DesignPreviewFsPath(row); });
    designText_->setText(Text(model_.designDescription));
    sheet_->ShowFields();
    if (name_->text() != Text(model_.recordName)) name_->setText(Text(model_.recordName));
    summary_->setText(Text(model_.summary));
    chosenTag_->SetRecord(model_.DesignPreviewFsPath(model_.design));
    back_->setEnabled(model_.backEnabled);
    next_->setEnabled(model_.nextEnabled);
    next_->setVisible(model_.page != ListToTagsModel::kFinishPage);
    next_->setDefault(model_.page != ListToTagsModel::kFinishPage);
    finishButtons_->setVisible(model_.page == ListToTagsModel::kFinishPage);
    finishButtons_->setEnabled(model_.finishEnabled);
    if (auto* make = finishButtons_->findChild<QPushButton*>(QStringLiteral("make")))
        make->setDefault(model_.page == ListToTagsModel::kFinishPage);
}

std::optional<std::string> CListToTagsDlg::ChooseListFile(const std::string& folder) { return import_.ChooseListFile(folder); }
void CListToTagsDlg::ShowMessage(const std::string& text) { import_.ShowMessage(text); }
void CListToTagsDlg::ShowReport(const std::string& text) { import_.ShowReport(text); }
std::optional<UnencodablePolicy> CListToTagsDlg::AskUnencodable(const std::string& listing) {
    return import_.AskUnencodable(listing);
}
bool CListToTagsDlg::Progress(double share) { return import_.Progress(share); }

std::optional<ListToTagsResult> RunListToTagsDialog(QWidget* parent, const SettingsProfile& settings, RecordProfile& record) {
    CListToTagsDlg dialog(ProgramCatalogue(), settings, record, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ListToTagsResult{dialog.Model().AfterFinish(), dialog.Model().Finished()};
}
