#include "dialogs/qt/image_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/qt/step_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

namespace {

// By Position, and where each box sits: left column top to bottom, then the right column.
const char* const kPositionCaptions[] = {"左上", "左下", "中央", "右上", "右下", "自由位置"};
const char* const kPositionNames[] = {"leftTop", "leftBottom", "centre", "rightTop", "rightBottom", "free"};
const char* const kAxisNames[] = {"x", "y"};

}  // namespace

CGetBmpDlg::CGetBmpDlg(EditSession& view, std::string cardSection, std::function<void()> refreshAllViews,
                       QWidget* parent)
    : DecorationDialog(std::move(refreshAllViews), parent), model_(*this, view, std::move(cardSection)) {
    setWindowTitle(QStringLiteral("画像ファイル指定"));

    auto* right = new QVBoxLayout;
    right->addWidget(BuildSizes());
    right->addWidget(BuildZoom());
    right->addWidget(BuildFit());
    right->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildPositions());
    middle->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFile());
    layout->addLayout(middle);
    layout->addWidget(OkCancelUpdate([this] { model_.OnUpdateView(); }));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    model_.OnOpen();
    // The zoom step is read at opening.
    minus_->setText(QStringLiteral("-%1%").arg(model_.zoomStep));
    plus_->setText(QStringLiteral("+%1%").arg(model_.zoomStep));
    ShowFields();
}

QWidget* CGetBmpDlg::BuildFile() {
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    path_ = Field("path", [this] { model_.OnPathEdited(); });
    path_->setMinimumWidth(320);
    unreadable_ = new QLabel(QStringLiteral("このファイルは画像として読み込めません"), box);
    unreadable_->setObjectName(QStringLiteral("unreadable"));
    unreadable_->setStyleSheet(QStringLiteral("color: #c00000"));
    // The note comes and goes while typing; the dialog keeps its size.
    QSizePolicy keepSpace = unreadable_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    unreadable_->setSizePolicy(keepSpace);
    layout->addWidget(new QLabel(QStringLiteral("画像ファイル名"), box), 0, 0);
    layout->addWidget(path_, 0, 1);
    layout->addWidget(Button(QStringLiteral("参照"), "browse", [this] { model_.OnBrowse(); }), 0, 2);
    layout->addWidget(unreadable_, 1, 1, 1, 2);
    return box;
}

QWidget* CGetBmpDlg::BuildPositions() {
    auto* group = new QGroupBox(QStringLiteral("画像表示位置"), this);
    auto* layout = new QGridLayout(group);
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        positions_[i] = new QCheckBox(QString::fromUtf8(kPositionCaptions[i]), group);
        positions_[i]->setObjectName(QString::fromLatin1(kPositionNames[i]));
        const auto position = static_cast<Position>(i);
        connect(positions_[i], &QCheckBox::clicked, this,
                [this, position] { Run([this, position] { model_.OnPosition(position); }); });
        layout->addWidget(positions_[i], static_cast<int>(i % 3), static_cast<int>(i / 3) * 3, 1, 3, Qt::AlignLeft);
    }
    const QString captions[] = {QStringLiteral("x座標"), QStringLiteral("y座標")};
    for (std::size_t i = 0; i < coordinates_.size(); ++i) {
        const auto axis = static_cast<Axis>(i);
        const QString name = QString::fromLatin1(kAxisNames[i]);
        coordinates_[i] = Field(kAxisNames[i]);
        coordinates_[i]->setMaximumWidth(60);
        steps_[i] = StepButtons(
            group, name, [this, axis](std::int32_t step) { Run([this, axis, step] { model_.OnStep(axis, step); }); });
        stepUp_[i] = steps_[i]->findChild<QToolButton*>(name + QStringLiteral("Up"));
        const int column = static_cast<int>(i) * 3;
        layout->addWidget(new QLabel(captions[i], group), 3, column, 1, 3);
        layout->addWidget(coordinates_[i], 4, column);
        layout->addWidget(steps_[i], 4, column + 1);
    }
    layout->setColumnStretch(2, 1);
    layout->setColumnStretch(5, 1);
    return group;
}

QWidget* CGetBmpDlg::BuildSizes() {
    auto* group = new QGroupBox(QStringLiteral("画像サイズ"), this);
    auto* layout = new QVBoxLayout(group);
    imageWidth_ = new QLabel(group);
    imageWidth_->setObjectName(QStringLiteral("imageWidth"));
    imageHeight_ = new QLabel(group);
    imageHeight_->setObjectName(QStringLiteral("imageHeight"));
    layout->addWidget(imageWidth_);
    layout->addWidget(imageHeight_);
    return group;
}

QWidget* CGetBmpDlg::BuildZoom() {
    auto* group = new QGroupBox(QStringLiteral("出力倍率指定"), this);
    auto* layout = new QHBoxLayout(group);
    minus_ = Button(QString(), "minus", [this] { model_.OnZoom(-1); });
    plus_ = Button(QString(), "plus", [this] { model_.OnZoom(1); });
    zoom_ = new QLabel(group);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setAlignment(Qt::AlignCenter);
    zoom_->setMinimumWidth(zoom_->fontMetrics().horizontalAdvance(QStringLiteral("00000 %")));
    layout->addWidget(minus_);
    layout->addWidget(zoom_, 1);
    layout->addWidget(plus_);
    return group;
}

QWidget* CGetBmpDlg::BuildFit() {
    auto* group = new QGroupBox(this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Button(QStringLiteral("ｻｲｽﾞの自動調整"), "autoFit", [this] { model_.OnAutoFit(); }));
    const QString captions[] = {QStringLiteral("幅をあわせる"), QStringLiteral("縦をあわせる")};
    const char* const names[] = {"fitWidth", "fitHeight"};
    for (std::size_t i = 0; i < fits_.size(); ++i) {
        fits_[i] = new QCheckBox(captions[i], group);
        fits_[i]->setObjectName(QString::fromLatin1(names[i]));
        const auto fit = static_cast<Fit>(i);
        connect(fits_[i], &QCheckBox::clicked, this, [this, fit] { Run([this, fit] { model_.OnFit(fit); }); });
        layout->addWidget(fits_[i]);
    }
    return group;
}

bool CGetBmpDlg::TakeFields() {
    return TakeStoredText(this, path_->text(), model_.path) &&
           TakeStoredText(this, coordinates_[0]->text(), model_.coordinates[0]) &&
           TakeStoredText(this, coordinates_[1]->text(), model_.coordinates[1]);
}

void CGetBmpDlg::ShowFields() {
    ShowStoredText(path_, model_.path);
    unreadable_->setVisible(model_.unreadable);
    for (std::size_t i = 0; i < positions_.size(); ++i) positions_[i]->setChecked(model_.positions[i]);
    for (std::size_t i = 0; i < coordinates_.size(); ++i) {
        ShowStoredText(coordinates_[i], model_.coordinates[i]);
        // The step buttons belong to their field: only a free position is typed or stepped.
        coordinates_[i]->setEnabled(model_.coordinatesEnabled);
        steps_[i]->setEnabled(model_.coordinatesEnabled);
        stepUp_[i]->setEnabled(model_.stepUpEnabled[i]);
    }
    imageWidth_->setText(QStringLiteral("幅: %1 pixels").arg(model_.imageWidth));
    imageHeight_->setText(QStringLiteral("縦: %1 pixels").arg(model_.imageHeight));
    zoom_->setText(QStringLiteral("%1 %").arg(model_.zoom));
    minus_->setEnabled(model_.minusEnabled);
    plus_->setEnabled(model_.plusEnabled);
    for (std::size_t i = 0; i < fits_.size(); ++i) fits_[i]->setChecked(model_.fits[i]);
}

void CGetBmpDlg::Ok() { model_.OnOk(); }

void CGetBmpDlg::reject() {
    model_.OnCancel();
    QDialog::reject();
}

std::optional<std::string> CGetBmpDlg::ChooseImageFile(const std::string& start) {
    QFileDialog chooser(this, QStringLiteral("開く"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    // Each filter shows its caption only; the pattern in the last parentheses is what it
    // matches, letter case aside.
    chooser.setOption(QFileDialog::HideNameFilterDetails);
    chooser.setNameFilters({QStringLiteral("BMPﾌｧｲﾙ(*.BMP) (*.bmp)"), QStringLiteral("DIBﾌｧｲﾙ(*.DIB) (*.dib)"),
                            QStringLiteral("すべてのﾌｧｲﾙ(*.*) (*)")});
    if (!start.empty()) chooser.selectFile(ToWidgetText(start));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return std::nullopt;
    std::string chosen;
    if (!TakeStoredText(this, chooser.selectedFiles().front(), chosen)) return std::nullopt;
    return chosen;
}

void CGetBmpDlg::RefreshAllViews() { DecorationDialog::RefreshAllViews(); }

bool RunImageDialog(QWidget* parent, EditSession& view, const std::string& cardSection,
                    std::function<void()> refreshAllViews) {
    CGetBmpDlg dialog(view, cardSection, std::move(refreshAllViews), parent);
    return dialog.exec() == QDialog::Accepted;
}
