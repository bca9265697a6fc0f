#include "dialogs/qt/text_decoration_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/qt/step_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

namespace {

QLabel* Note(const QString& text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

}  // namespace

CDecolationDlg::CDecolationDlg(const RecordProfile& record, std::string section, std::string keyPrefix,
                               std::function<void()> refreshAllViews, QWidget* parent)
    : DecorationDialog(std::move(refreshAllViews), parent),
      model_(*this, record, std::move(section), std::move(keyPrefix)) {
    setWindowTitle(QStringLiteral("文字列装飾"));
    hollow_ = new QCheckBox(QStringLiteral("中抜き文字"), this);
    hollow_->setObjectName(QStringLiteral("hollow"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildAngle());
    layout->addWidget(BuildBackground());
    layout->addWidget(BuildShadow());
    layout->addWidget(hollow_);
    layout->addWidget(OkCancelUpdate([this] { model_.OnUpdateView(); }));
    setFixedWidth(sizeHint().width());

    model_.OnOpen();
    ShowFields();
}

QWidget* CDecolationDlg::BuildAngle() {
    auto* group = new QGroupBox(QStringLiteral("文字列の傾き"), this);
    angle_ = Field("angle", [this] { model_.OnAngleEdited(); });
    angle_->setMaximumWidth(60);
    auto* row = new QHBoxLayout;
    row->addWidget(angle_);
    row->addWidget(new QLabel(QStringLiteral("度"), group));
    row->addWidget(StepButtons(group, QStringLiteral("angle"),
                               [this](std::int32_t step) { Run([this, step] { model_.OnAngleStep(step); }); }));
    row->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addWidget(Note(QStringLiteral("文字を水平方向から何度傾けるか指定します。時計まわり方向は正の値を、"
                                          "反時計回りは負の数を指定して下さい。"),
                           group));
    return group;
}

QWidget* CDecolationDlg::BuildBackground() {
    auto* group = new QGroupBox(QStringLiteral("文字背景色指定"), this);
    background_ = new QCheckBox(QStringLiteral("文字の背景色を指定する"), group);
    background_->setObjectName(QStringLiteral("background"));
    connect(background_, &QCheckBox::clicked, this, [this] { Run([this] { model_.OnBackgroundToggled(); }); });
    backgroundColor_ = Button(QStringLiteral("色指定"), "backgroundColor", [this] { model_.OnBackgroundColor(); });
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(background_);
    layout->addStretch();
    layout->addWidget(backgroundColor_);
    return group;
}

QWidget* CDecolationDlg::BuildShadow() {
    auto* group = new QGroupBox(QStringLiteral("影付き/3D文字/"), this);
    shadow_ = new QButtonGroup(this);
    auto* kinds = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("なし"), QStringLiteral("影付き文字"), QStringLiteral("3D文字")};
    const char* names[] = {"shadowNone", "shadowDrop", "shadow3D"};
    for (int kind = 0; kind < 3; ++kind) {
        auto* radio = new QRadioButton(captions[kind], group);
        radio->setObjectName(QString::fromLatin1(names[kind]));
        shadow_->addButton(radio, kind);
        kinds->addWidget(radio);
    }
    connect(shadow_, &QButtonGroup::idClicked, this, [this] { Run([this] { model_.OnShadowChosen(); }); });
    kinds->addStretch();
    QPushButton* color = Button(QStringLiteral("色指定"), "shadowColor", [this] { model_.OnShadowColor(); });
    kinds->addWidget(color);
    shadowControls_.push_back(color);

    auto* layout = new QVBoxLayout(group);
    layout->addLayout(kinds);
    layout->addWidget(BuildOffsets());
    return group;
}

QWidget* CDecolationDlg::BuildOffsets() {
    auto* group = new QGroupBox(QStringLiteral("ずれ指定"), this);
    auto* grid = new QGridLayout(group);
    const QString captions[] = {QStringLiteral("X軸方向"), QStringLiteral("Y軸方向")};
    const char* names[] = {"offsetX", "offsetY"};
    for (const Axis axis : {Axis::X, Axis::Y}) {
        const auto i = static_cast<std::size_t>(axis);
        offset_[i] = Field(names[i]);
        offset_[i]->setMaximumWidth(60);
        auto* caption = new QLabel(captions[i], group);
        auto* percent = new QLabel(QStringLiteral("%"), group);
        const int row = static_cast<int>(i);
        grid->addWidget(caption, row, 0);
        grid->addWidget(offset_[i], row, 1);
        grid->addWidget(percent, row, 2);
        grid->addWidget(StepButtons(group, QString::fromLatin1(names[i]),
                                    [this, axis](std::int32_t step) {
                                        Run([this, axis, step] { model_.OnOffsetStep(axis, step); });
                                    }),
                        row, 3);
        shadowControls_.insert(shadowControls_.end(), {caption, offset_[i], percent});
    }
    grid->setColumnStretch(4, 1);
    grid->addWidget(Note(QStringLiteral("ずれ指定は全角文字に対する割合を指定します"), group), 2, 0, 1, 5);
    return group;
}

bool CDecolationDlg::TakeFields() {
    model_.background = background_->isChecked();
    // With a stored kind no button stands for, none is checked and the kind stays.
    if (shadow_->checkedId() >= 0) model_.shadow = static_cast<ShadowStyle>(shadow_->checkedId());
    model_.hollow = hollow_->isChecked();
    return TakeStoredText(this, angle_->text(), model_.angle) &&
           TakeStoredText(this, offset_[0]->text(), model_.offset[0]) &&
           TakeStoredText(this, offset_[1]->text(), model_.offset[1]);
}

void CDecolationDlg::ShowFields() {
    ShowStoredText(angle_, model_.angle);
    background_->setChecked(model_.background);
    backgroundColor_->setEnabled(model_.backgroundColorEnabled);
    if (QAbstractButton* kind = shadow_->button(static_cast<int>(model_.shadow))) kind->setChecked(true);
    for (std::size_t i = 0; i < offset_.size(); ++i) ShowStoredText(offset_[i], model_.offset[i]);
    for (QWidget* control : shadowControls_) control->setEnabled(model_.shadowControlsEnabled);
    hollow_->setChecked(model_.hollow);
}

void CDecolationDlg::Ok() { model_.OnOk(); }

void CDecolationDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

bool RunTextDecorationDialog(QWidget* parent, const RecordProfile& record, const std::string& section,
                             const std::string& keyPrefix, std::function<void()> refreshAllViews) {
    CDecolationDlg dialog(record, section, keyPrefix, std::move(refreshAllViews), parent);
    return dialog.exec() == QDialog::Accepted;
}
