#include "dialogs/qt/enter_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/qt/cabinet_chooser_dialog.h"
#include "dialogs/qt/decorative_line_dialog.h"
#include "dialogs/qt/font_color_dialog.h"
#include "dialogs/qt/image_dialog.h"
#include "dialogs/qt/placement.h"
#include "dialogs/qt/record_file_chooser_dialog.h"
#include "dialogs/qt/step_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "dialogs/qt/text_decoration_dialog.h"
#include "dialogs/qt/typesetting_dialog.h"
#include "widgets/widget_text.h"

namespace {

constexpr const char* kAxisNames[] = {"x", "y"};

QStringList WidgetTexts(const std::vector<std::string>& entries) {
    QStringList texts;
    for (const std::string& entry : entries) texts.append(ToWidgetText(entry));
    return texts;
}

// Setting a line edit's text moves its cursor, so only what changed is set.
void SetEntries(QComboBox* box, const std::vector<std::string>& entries) {
    const QStringList texts = WidgetTexts(entries);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown.append(box->itemText(i));
    if (shown == texts) return;
    const QString typed = box->currentText();
    box->clear();
    box->addItems(texts);
    box->setEditText(typed);
}

}  // namespace

CEnterDlg::CEnterDlg(EditSession& view, std::vector<std::string> userItems, std::function<void()> refreshAllViews,
                     std::function<void()> closed, QWidget* parent)
    : QDialog(parent),
      view_(view),
      refreshAllViews_(std::move(refreshAllViews)),
      closed_(std::move(closed)),
      model_(*this, view, std::move(userItems)) {
    setWindowTitle(QStringLiteral("入力"));
    setModal(false);

    items_ = new QListWidget(this);
    items_->setObjectName(QStringLiteral("items"));
    items_->setMaximumWidth(150);
    itemName_ = new QLineEdit(this);
    itemName_->setObjectName(QStringLiteral("itemName"));
    itemName_->setReadOnly(true);
    content_ = new QComboBox(this);
    content_->setObjectName(QStringLiteral("content"));
    content_->setEditable(true);
    content_->setInsertPolicy(QComboBox::NoInsert);
    content_->setMinimumContentsLength(16);
    print_ = new QCheckBox(QStringLiteral("印刷する"), this);
    print_->setObjectName(QStringLiteral("print"));
    hideImage_ = new QCheckBox(QStringLiteral("編集中は画像を非表示"), this);
    hideImage_->setObjectName(QStringLiteral("hideImage"));
    cardSection_ = new QLabel(this);
    cardSection_->setObjectName(QStringLiteral("cardSection"));

    auto* top = new QHBoxLayout;
    top->addWidget(BuildSlots());
    top->addStretch();
    top->addWidget(Button(QStringLiteral("ﾌｫﾝﾄ"), "font", [this] { model_.OnFont(); }), 0, Qt::AlignBottom);

    auto* itemColumn = new QVBoxLayout;
    itemColumn->addWidget(new QLabel(QStringLiteral("項目名"), this));
    itemColumn->addWidget(items_);

    auto* middle = new QHBoxLayout;
    middle->addLayout(itemColumn);
    middle->addWidget(BuildEditor());

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(
        Button(QStringLiteral("ﾃﾞﾌｫｰﾙﾄ登録"), "registerDefaults", [this] { model_.OnRegisterDefaults(); }));
    bottom->addWidget(Button(QStringLiteral("ﾃﾞﾌｫｰﾙﾄ読込"), "loadDefaults", [this] { model_.OnLoadDefaults(); }));
    bottom->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setAutoDefault(false);
    bottom->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuildCabinetAndFile());
    layout->addLayout(middle);
    layout->addWidget(BuildDecoration());
    layout->addLayout(bottom);

    model_.OnOpen();
    items_->addItems(WidgetTexts(model_.items));
    ShowFields();

    // The highlighted item is the one edited, whether clicked or reached with the keys.
    connect(items_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != model_.itemSelection) Run([this, row] { model_.OnItemChosen(row); });
    });
    connect(content_->lineEdit(), &QLineEdit::textEdited, this, [this] { Run([this] { model_.OnContentEdited(); }); });
    // An entry picked from the list is stored at once, as typed text is.
    connect(content_, &QComboBox::activated, this, [this] { Run([this] { model_.OnContentEdited(); }); });
    connect(print_, &QCheckBox::clicked, this, [this] { Run([this] { model_.OnPrintToggled(); }); });
    connect(hideImage_, &QCheckBox::clicked, this, [this] { Run([this] { model_.OnHideImageToggled(); }); });
    connect(ok, &QPushButton::clicked, this, &CEnterDlg::Ok);
}

QPushButton* CEnterDlg::Button(const QString& caption, const char* name, std::function<void()> handler) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a text field must not press a button: typing a name is no reason to close.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { Run(handler); });
    return button;
}

QWidget* CEnterDlg::BuildSlots() {
    auto* group = new QGroupBox(QStringLiteral("現在のｻｲｽﾞ"), this);
    auto* layout = new QHBoxLayout(group);
    const QString captions[kLabelSlotCount] = {QStringLiteral("名刺ｻｲｽﾞ"), QStringLiteral("ﾕｰｻﾞｰ(1)"),
                                               QStringLiteral("ﾕｰｻﾞｰ(2)")};
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i] = new QCheckBox(captions[i], group);
        slots_[i]->setObjectName(QStringLiteral("slot%1").arg(i + 1));
        layout->addWidget(slots_[i]);
        const auto slot = static_cast<std::int32_t>(i + 1);
        connect(slots_[i], &QCheckBox::clicked, this, [this, slot] { Run([this, slot] { model_.OnSlot(slot); }); });
    }
    return group;
}

QWidget* CEnterDlg::BuildEditor() {
    auto* box = new QWidget(this);
    auto* alignment = new QHBoxLayout;
    alignment->addWidget(
        Button(QStringLiteral("左つめ"), "alignLeft", [this] { model_.OnAlign(AlignmentCode::Left); }));
    alignment->addWidget(
        Button(QStringLiteral("ｾﾝﾀﾘﾝｸﾞ"), "alignCentre", [this] { model_.OnAlign(AlignmentCode::Centre); }));
    alignment->addWidget(
        Button(QStringLiteral("右つめ"), "alignRight", [this] { model_.OnAlign(AlignmentCode::Right); }));

    auto* cards = new QHBoxLayout;
    cards->addWidget(new QLabel(QStringLiteral("番号:"), box));
    cards->addWidget(cardSection_, 1);
    previous_ = Button(QStringLiteral("前"), "previous", [this] { model_.OnPrevious(); });
    cards->addWidget(previous_);
    cards->addWidget(Button(QStringLiteral("次"), "next", [this] { model_.OnNext(); }));

    auto* editColumn = new QVBoxLayout(box);
    editColumn->setContentsMargins(0, 0, 0, 0);
    editColumn->addWidget(itemName_);
    editColumn->addWidget(new QLabel(QStringLiteral("項目名は左のリストから選んでね"), box));
    editColumn->addWidget(new QLabel(QStringLiteral("内容"), box));
    editColumn->addWidget(content_);
    editColumn->addWidget(Button(QStringLiteral("ﾋﾞｭｰ更新"), "updateView", [this] { model_.OnUpdateView(); }));
    editColumn->addWidget(BuildPositions());
    editColumn->addLayout(alignment);
    editColumn->addLayout(cards);
    editColumn->addWidget(print_);
    editColumn->addStretch();

    return box;
}

QWidget* CEnterDlg::BuildDecoration() {
    auto* box = new QWidget(this);
    auto* decoration = new QGridLayout(box);
    decoration->setContentsMargins(0, 0, 0, 0);
    for (int line = 1; line <= 3; ++line) {
        const QByteArray name = QStringLiteral("line%1").arg(line).toLatin1();
        decoration->addWidget(Button(QStringLiteral("装飾線%1").arg(line), name.constData(),
                                     [this, line] {
                                         RunDecorativeLineDialog(this, view_.Record(), line, view_.State().slot,
                                                                 model_.cardSection, refreshAllViews_);
                                         RefreshAllViews();
                                     }),
                              0, line - 1);
    }
    decoration->addWidget(Button(QStringLiteral("画像指定"), "image",
                                 [this] {
                                     RunImageDialog(this, view_, model_.cardSection, refreshAllViews_);
                                     // The image dialog shows the image while editing.
                                     model_.hideImage = false;
                                 }),
                          1, 0);
    decoration->addWidget(hideImage_, 1, 1, 1, 2);
    decoration->addWidget(Button(QStringLiteral("装飾指定"), "textDecoration",
                                 [this] {
                                     RunTextDecorationDialog(this, view_.Record(), model_.cardSection,
                                                             ItemKey(view_.State().slotPrefix, model_.itemName, ""),
                                                             refreshAllViews_);
                                     RefreshAllViews();
                                 }),
                          2, 0);
    decoration->addWidget(Button(QStringLiteral("文字組み"), "typesetting",
                                 [this] {
                                     RunTypesettingDialog(this, view_.Record(), model_.cardSection,
                                                          view_.State().slotPrefix, model_.itemName,
                                                          view_.State().label.width, refreshAllViews_);
                                     RefreshAllViews();
                                 }),
                          2, 1);
    return box;
}

QWidget* CEnterDlg::BuildCabinetAndFile() {
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    cabinet_ = new QLabel(box);
    cabinet_->setObjectName(QStringLiteral("cabinet"));
    recordTitle_ = new QLabel(box);
    recordTitle_->setObjectName(QStringLiteral("recordTitle"));
    layout->addWidget(new QLabel(QStringLiteral("分類:"), box), 0, 0);
    layout->addWidget(cabinet_, 0, 1);
    layout->addWidget(Button(QStringLiteral("ｷｬﾋﾞﾈｯﾄ変更"), "changeCabinet", [this] { model_.OnChangeCabinet(); }), 0,
                      2);
    layout->addWidget(new QLabel(QStringLiteral("設定ﾌｧｲﾙ:"), box), 1, 0);
    layout->addWidget(recordTitle_, 1, 1);
    layout->addWidget(Button(QStringLiteral("ﾌｧｲﾙ変更"), "changeRecordFile", [this] { model_.OnChangeRecordFile(); }),
                      1, 2);
    layout->setColumnStretch(1, 1);
    return box;
}

QWidget* CEnterDlg::BuildPositions() {
    auto* group = new QGroupBox(QStringLiteral("印刷位置"), this);
    auto* layout = new QGridLayout(group);
    const QString captions[] = {QStringLiteral("X座標"), QStringLiteral("Y座標")};
    for (const Axis axis : {Axis::X, Axis::Y}) {
        const auto i = static_cast<std::size_t>(axis);
        const QString name = QString::fromLatin1(kAxisNames[i]);
        position_[i] = new QLineEdit(group);
        position_[i]->setObjectName(name);
        connect(position_[i], &QLineEdit::textEdited, this,
                [this, axis] { Run([this, axis] { model_.OnPositionEdited(axis); }); });
        connect(position_[i], &QLineEdit::editingFinished, this,
                [this, axis] { Run([this, axis] { model_.OnPositionEntered(axis); }); });
        QWidget* steps = StepButtons(group, name, [this, axis](std::int32_t step) {
            Run([this, axis, step] { model_.OnStep(axis, step); });
        });
        stepUp_[i] = steps->findChild<QToolButton*>(name + QStringLiteral("Up"));
        const int row = static_cast<int>(i);
        layout->addWidget(new QLabel(captions[i], group), row, 0);
        layout->addWidget(position_[i], row, 1);
        layout->addWidget(steps, row, 2);
    }
    return group;
}

void CEnterDlg::Run(const std::function<void()>& handler) {
    if (Take()) handler();
    ShowFields();
}

bool CEnterDlg::Take() {
    model_.print = print_->isChecked();
    model_.hideImage = hideImage_->isChecked();
    return FromWidgetExactText(content_->currentText(), model_.itemText) &&
           TakeStoredText(this, position_[0]->text(), model_.position[0]) &&
           TakeStoredText(this, position_[1]->text(), model_.position[1]);
}

void CEnterDlg::ShowFields() {
    for (std::size_t i = 0; i < slots_.size(); ++i) slots_[i]->setChecked(model_.slotButtons[i]);
    if (items_->currentRow() != model_.itemSelection) items_->setCurrentRow(model_.itemSelection);
    ShowStoredText(itemName_, model_.itemName);
    SetEntries(content_, model_.contentList);
    if (content_->currentText() != ToWidgetText(model_.itemText)) content_->setEditText(ToWidgetText(model_.itemText));
    for (std::size_t i = 0; i < position_.size(); ++i) {
        ShowStoredText(position_[i], model_.position[i]);
        stepUp_[i]->setEnabled(model_.stepUpEnabled[i]);
    }
    print_->setChecked(model_.print);
    hideImage_->setChecked(model_.hideImage);
    cabinet_->setText(ToWidgetText(model_.cabinet));
    recordTitle_->setText(ToWidgetText(model_.recordTitle));
    cardSection_->setText(ToWidgetText(model_.cardSection));
    previous_->setEnabled(model_.previousEnabled);
}

void CEnterDlg::Ok() {
    if (!Take()) {
        ShowFields();
        return;
    }
    if (!model_.OnOk()) return;
    hide();
    if (closed_) closed_();
}

void CEnterDlg::FollowStoredChanges() {
    model_.OnStoredChanged();
    ShowFields();
}

void CEnterDlg::reject() {}  // only "OK" closes the dialog

void CEnterDlg::closeEvent(QCloseEvent* event) { event->ignore(); }

void CEnterDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    MoveToScreenTopRight(this);
}

void CEnterDlg::Beep() { QApplication::beep(); }

void CEnterDlg::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ZUL Name Card"), ToWidgetText(text), QMessageBox::Ok, this);
    box.exec();
}

bool CEnterDlg::AskOkCancel(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("ZUL Name Card"), ToWidgetText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() == QMessageBox::Ok;
}

std::optional<FontChoice> CEnterDlg::ChooseFont(const FontChoice& initial) { return RunFontDialog(this, initial); }

std::optional<std::string> CEnterDlg::ChooseCabinet(const std::string& preset) {
    return RunCabinetChooser(this, preset);
}

std::optional<std::string> CEnterDlg::ChooseRecordFile(const std::string& cabinet) {
    return RunRecordFileChooser(this, view_.Record(), cabinet);
}

void CEnterDlg::RefreshAllViews() {
    if (refreshAllViews_) refreshAllViews_();
}

void CEnterDlg::BringToFront() {
    raise();
    activateWindow();
}
