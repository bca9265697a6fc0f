#include "dialogs/qt/print_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/label_size_dialog.h"
#include "dialogs/qt/sheet_chooser_dialog.h"
#include "dialogs/qt/sheet_preview_widget.h"
#include "dialogs/qt/slot_radio_buttons.h"
#include "dialogs/qt/step_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "dialogs/sheet_preview.h"
#include "widgets/widget_text.h"

namespace {

std::size_t Index(PrintOptionsModel::Number number) { return static_cast<std::size_t>(number); }

}  // namespace

CPrintOptDlg::CPrintOptDlg(EditSession& view, QWidget* parent)
    : ModelDialog(parent), view_(view), model_(view.Settings(), view.Record()) {
    setWindowTitle(QStringLiteral("印刷設定"));
    const auto noHandler = [] {};

    slots_ = new SlotRadioButtons(
        QStringLiteral("どのサイズ?"), [this](std::int32_t s) { Run([this, s] { model_.OnSlot(s); }); }, this);
    // The label size dialog stores sizes as they are typed; the picture shows the new size.
    QPushButton* sizes =
        Button(QStringLiteral("ｻｲｽﾞ変更"), "changeSize", [this] { RunLabelSizeDialog(this, view_.Settings(), view_.Record(), 1); });
    QPushButton* sheet = Button(QStringLiteral("用紙を選ぶ"), "chooseSheet", [this] {
        if (RunSheetChooser(this, view_.Settings(), view_.Record(), model_.EditSlot())) model_.OnSheetChosen();
    });
    auto* slotRow = new QHBoxLayout;
    slotRow->addWidget(slots_);
    slotRow->addWidget(sizes, 0, Qt::AlignBottom);
    slotRow->addWidget(sheet, 0, Qt::AlignBottom);
    slotRow->addStretch();

    auto* count = new QGroupBox(QStringLiteral("何枚並べますか？"), this);
    auto* countGrid = new QGridLayout(count);
    AddNumber(countGrid, 0, QStringLiteral("横に"), Number::Columns, "columns");
    AddNumber(countGrid, 1, QStringLiteral("縦に"), Number::Rows, "rows");

    auto* gaps = new QGroupBox(QStringLiteral("隙間は?"), this);
    auto* gapGrid = new QGridLayout(gaps);
    AddNumber(gapGrid, 0, QStringLiteral("左右"), Number::GapH, "gapH");
    AddNumber(gapGrid, 1, QStringLiteral("上下"), Number::GapV, "gapV");

    noCutLine_ =
        CheckBox(QStringLiteral("切り取り線を出力しない"), "noCutLine", [this] { model_.OnNoCutLineClicked(); });
    textOverDecoration_ = CheckBox(QStringLiteral("装飾線・画像上に文字を出力"), "textOverDecoration", noHandler);
    cropMarks_ = CheckBox(QStringLiteral("トンボで出力"), "cropMarks", noHandler);

    fold_ = Choices({QStringLiteral("なし"), QStringLiteral("上下"), QStringLiteral("左右")}, "fold",
                    [this] { model_.OnFoldChanged(); });
    foldLine_ = CheckBox(QStringLiteral("折り線"), "foldLine", noHandler);
    duplex_ = Choices({QStringLiteral("なし"), QStringLiteral("長辺とじ"), QStringLiteral("短辺とじ")}, "duplex", noHandler);
    auto* sides = new QGroupBox(QStringLiteral("席札と両面"), this);
    auto* sideRow = new QHBoxLayout(sides);
    sideRow->addWidget(new QLabel(QStringLiteral("折り"), sides));
    sideRow->addWidget(fold_);
    sideRow->addWidget(foldLine_);
    sideRow->addSpacing(12);
    sideRow->addWidget(new QLabel(QStringLiteral("両面"), sides));
    sideRow->addWidget(duplex_);
    sideRow->addStretch();

    auto* offsets = new QGroupBox(QStringLiteral("印刷開始位置(ﾃﾞﾌｫｰﾙﾄからのｵﾌｾｯﾄ)必ず正数または０"), this);
    auto* offsetGrid = new QGridLayout(offsets);
    AddNumber(offsetGrid, 0, QStringLiteral("上から"), Number::Top, "top");
    AddNumber(offsetGrid, 1, QStringLiteral("左から"), Number::Left, "left");
    offsetGrid->addWidget(new QLabel(QStringLiteral("(1/100ｲﾝﾁ単位)"), offsets), 2, 0, 1, 3);
    offsetGrid->setColumnStretch(3, 1);  // the fields stay beside their captions under the long title

    auto* fields = new QVBoxLayout;
    fields->addLayout(slotRow);
    auto* counts = new QHBoxLayout;
    counts->addWidget(count);
    counts->addWidget(gaps);
    fields->addLayout(counts);
    fields->addWidget(noCutLine_);
    fields->addWidget(textOverDecoration_);
    fields->addWidget(cropMarks_);
    fields->addWidget(sides);
    fields->addWidget(offsets);
    fields->addStretch();

    preview_ = new SheetPreviewWidget(
        [this](Surface& surface) { DrawSheetPreview(view_.State(), model_.EditSlot(), model_.Layout(), surface); },
        this);
    preview_->setObjectName(QStringLiteral("preview"));

    auto* body = new QHBoxLayout;
    body->addLayout(fields);
    body->addWidget(preview_, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(OkCancel());

    model_.OnOpen();
    ShowFields();
}

void CPrintOptDlg::AddNumber(QGridLayout* grid, int row, const QString& caption, Number number, const char* name) {
    // Every change is shown in the picture at once; nothing is stored before OK.
    QLineEdit* field = Field(name, [] {});
    field->setMaximumWidth(70);
    numbers_[Index(number)] = field;
    grid->addWidget(new QLabel(caption, grid->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(StepButtons(grid->parentWidget(), QString::fromLatin1(name),
                                [this, number](std::int32_t step) { Run([=] { model_.OnStep(number, step); }); }),
                    row, 2);
}

QCheckBox* CPrintOptDlg::CheckBox(const QString& caption, const char* name, std::function<void()> handler) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name));
    connect(box, &QCheckBox::clicked, this, [this, handler = std::move(handler)] { Run(handler); });
    return box;
}

QComboBox* CPrintOptDlg::Choices(const QStringList& captions, const char* name, std::function<void()> handler) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(captions);
    connect(box, QOverload<int>::of(&QComboBox::activated), this, [this, handler = std::move(handler)] { Run(handler); });
    return box;
}

bool CPrintOptDlg::TakeFields() {
    model_.sides.fold = static_cast<Fold>(fold_->currentIndex());
    model_.sides.foldLine = foldLine_->isChecked();
    model_.sides.duplex = static_cast<Duplex>(duplex_->currentIndex());
    model_.noCutLine = noCutLine_->isChecked();
    model_.textOverDecoration = textOverDecoration_->isChecked();
    model_.cropMarks = cropMarks_->isChecked();
    for (std::size_t i = 0; i < numbers_.size(); ++i)
        if (!TakeStoredText(this, numbers_[i]->text(), model_.numbers[i])) return false;
    return true;
}

void CPrintOptDlg::ShowFields() {
    slots_->Show(model_.slotButtons);
    for (std::size_t i = 0; i < numbers_.size(); ++i) ShowStoredText(numbers_[i], model_.numbers[i]);
    noCutLine_->setChecked(model_.noCutLine);
    textOverDecoration_->setChecked(model_.textOverDecoration);
    cropMarks_->setChecked(model_.cropMarks);
    cropMarks_->setEnabled(model_.cropMarksEnabled);
    fold_->setCurrentIndex(static_cast<int>(model_.sides.fold));
    foldLine_->setChecked(model_.sides.foldLine);
    foldLine_->setEnabled(model_.foldLineEnabled);
    duplex_->setCurrentIndex(static_cast<int>(model_.sides.duplex));
    preview_->update();
}

bool RunPrintOptionsDialog(QWidget* parent, EditSession& view) {
    CPrintOptDlg dialog(view, parent);
    return dialog.exec() == QDialog::Accepted;
}
