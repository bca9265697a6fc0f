#include "dialogs/qt/frame_effect_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/color_swatch.h"
#include "dialogs/qt/frame_pictures.h"
#include "dialogs/qt/step_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

namespace {

// By FillPattern; the blanks in front are part of the captions.
const char* const kPatternCaptions[] = {
    "100%", " 75%", " 50%", " 25%", "  0%", "右上がり", "格子", "斜め格子", "右下がり", "水平", "垂直",
};
// By Side.
const char* const kSideCaptions[] = {"上", "下", "左", "右"};
const char* const kSideNames[] = {"top", "bottom", "left", "right"};

std::size_t Index(FrameEffectModel::Role role) { return static_cast<std::size_t>(role); }

}  // namespace

CEffectDlg::CEffectDlg(const RecordProfile& record, std::string section, std::function<void()> refreshAllViews,
                       QWidget* parent)
    : DecorationDialog(std::move(refreshAllViews), parent), model_(*this, record, std::move(section)) {
    setWindowTitle(QStringLiteral("各種効果"));

    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    const std::vector<QImage>& pictures = FrameKindPictures();
    kind_->setIconSize(pictures.front().size());
    const std::vector<QString>& captions = FrameKindCaptions();
    for (std::size_t i = 0; i < captions.size(); ++i) kind_->addItem(QPixmap::fromImage(pictures[i]), captions[i]);
    connect(kind_, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { model_.OnKindChosen(index); }); });
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(new QLabel(QStringLiteral("種類"), this));
    kindRow->addWidget(kind_, 1);

    beforeImage_ = new QCheckBox(QStringLiteral("BMP画像より先に出力"), this);
    beforeImage_->setObjectName(QStringLiteral("beforeImage"));

    QWidget* buttons = OkCancelUpdate([this] { model_.OnUpdate(); });
    buttons->findChild<QPushButton*>(QStringLiteral("updateView"))->setText(QStringLiteral("更新(&U)"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kindRow);
    layout->addWidget(
        BuildFill(QStringLiteral("内側塗りつぶし"), Area::Inside, Role::Inside, QStringLiteral("inside")));
    layout->addWidget(
        BuildFill(QStringLiteral("外側塗りつぶし"), Area::Outside, Role::Outside, QStringLiteral("outside")));
    layout->addWidget(BuildBorder());
    layout->addWidget(beforeImage_);
    layout->addWidget(BuildDistances());
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    model_.OnOpen();
    ShowFields();
}

QPushButton* CEffectDlg::ColorButton(Role role, const QString& name) {
    QPushButton* button =
        Button(QStringLiteral("色"), name.toLatin1().constData(), [this, role] { model_.OnChooseColor(role); });
    colors_[Index(role)] = button;
    return button;
}

QComboBox* CEffectDlg::PatternList(QWidget* parent, const QString& name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (std::size_t i = 0; i < std::size(kPatternCaptions); ++i)
        list->addItem(QPixmap::fromImage(FillPatternPicture(static_cast<std::int32_t>(i))),
                      QString::fromUtf8(kPatternCaptions[i]));
    list->setIconSize(FillPatternPicture(0).size());
    return list;
}

QWidget* CEffectDlg::BuildFill(const QString& title, Area area, Role role, const QString& name) {
    auto* group = new QGroupBox(title, this);
    auto* layout = new QHBoxLayout(group);
    QComboBox*& list = patterns_[static_cast<std::size_t>(area)];
    list = PatternList(group, name + QStringLiteral("Pattern"));
    layout->addWidget(ColorButton(role, name + QStringLiteral("Color")));
    layout->addWidget(list, 1);
    return group;
}

QWidget* CEffectDlg::BuildBorder() {
    auto* group = new QGroupBox(QStringLiteral("境界線"), this);
    auto* layout = new QHBoxLayout(group);
    width_ = Field("width", [this] { model_.OnWidthEdited(); });
    width_->setMaximumWidth(60);
    layout->addWidget(new QLabel(QStringLiteral("太さ"), group));
    layout->addWidget(width_);
    layout->addWidget(StepButtons(group, QStringLiteral("width"),
                                  [this](std::int32_t step) { Run([this, step] { model_.OnWidthStep(step); }); }));
    layout->addStretch();
    layout->addWidget(ColorButton(Role::Border, QStringLiteral("borderColor")));
    return group;
}

QWidget* CEffectDlg::BuildDistances() {
    auto* group = new QGroupBox(QStringLiteral("周囲からの距離(1/100ｲﾝﾁ単位)"), this);
    auto* layout = new QGridLayout(group);
    for (std::size_t i = 0; i < distances_.size(); ++i) {
        const auto side = static_cast<Side>(i);
        const QString name = QString::fromLatin1(kSideNames[i]);
        sideLabels_[i] = new QLabel(QString::fromUtf8(kSideCaptions[i]), group);
        sideLabels_[i]->setObjectName(name + QStringLiteral("Label"));
        distances_[i] = Field(kSideNames[i]);
        distances_[i]->setMaximumWidth(60);
        // Top and bottom on the first row, left and right on the second.
        const int row = static_cast<int>(i / 2), column = static_cast<int>(i % 2) * 4;
        layout->addWidget(sideLabels_[i], row, column);
        layout->addWidget(distances_[i], row, column + 1);
        layout->addWidget(StepButtons(group, name,
                                      [this, side](std::int32_t step) {
                                          Run([this, side, step] { model_.OnDistanceStep(side, step); });
                                      }),
                          row, column + 2);
    }
    layout->setColumnMinimumWidth(3, 16);
    allSides_ = new QCheckBox(QStringLiteral("すべて同じ"), group);
    allSides_->setObjectName(QStringLiteral("allSides"));
    connect(allSides_, &QCheckBox::clicked, this, [this] { Run([this] { model_.OnAllSidesToggled(); }); });
    layout->addWidget(allSides_, 2, 0, 1, 7, Qt::AlignLeft);
    return group;
}

bool CEffectDlg::TakeFields() {
    for (std::size_t i = 0; i < patterns_.size(); ++i) model_.patterns[i] = patterns_[i]->currentIndex();
    model_.beforeImage = beforeImage_->isChecked();
    model_.allSides = allSides_->isChecked();
    if (!TakeStoredText(this, width_->text(), model_.width)) return false;
    for (std::size_t i = 0; i < distances_.size(); ++i)
        if (!TakeStoredText(this, distances_[i]->text(), model_.distances[i])) return false;
    return true;
}

void CEffectDlg::ShowFields() {
    // A stored kind or pattern beyond the lists selects no entry.
    kind_->setCurrentIndex(model_.kind);
    for (std::size_t i = 0; i < colors_.size(); ++i) ShowColorSwatch(colors_[i], model_.colors[i]);
    for (std::size_t i = 0; i < patterns_.size(); ++i) patterns_[i]->setCurrentIndex(model_.patterns[i]);
    colors_[Index(Role::Outside)]->setEnabled(model_.outsideEnabled);
    patterns_[static_cast<std::size_t>(Area::Outside)]->setEnabled(model_.outsideEnabled);
    ShowStoredText(width_, model_.width);
    beforeImage_->setChecked(model_.beforeImage);
    allSides_->setChecked(model_.allSides);
    for (std::size_t i = 0; i < distances_.size(); ++i) {
        ShowStoredText(distances_[i], model_.distances[i]);
        const bool enabled = static_cast<Side>(i) == Side::Top || model_.sidesEnabled;
        distances_[i]->setEnabled(enabled);
        sideLabels_[i]->setEnabled(enabled);
    }
    sideLabels_[static_cast<std::size_t>(Side::Top)]->setText(ToWidgetText(model_.topCaption));
}

void CEffectDlg::Ok() { model_.OnOk(); }

void CEffectDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

std::optional<ColorRef> CEffectDlg::ChooseColor(ColorRef initial) { return DecorationDialog::ChooseColor(initial); }

void CEffectDlg::RefreshAllViews() { DecorationDialog::RefreshAllViews(); }

void CEffectDlg::BringToFront() {
    raise();
    activateWindow();
}

bool RunFrameEffectDialog(QWidget* parent, EditSession& view, std::function<void()> refreshAllViews) {
    CEffectDlg dialog(view.Record(), view.State().slotPrefix + "Frame", refreshAllViews, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (refreshAllViews) refreshAllViews();
    return ok;
}
