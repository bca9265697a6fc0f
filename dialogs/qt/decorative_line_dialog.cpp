#include "dialogs/qt/decorative_line_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/color_swatch.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

namespace {

constexpr const char* kFieldNames[DecorativeLineModel::kFieldCount] = {"startX", "startY", "endX", "endY", "width"};

}  // namespace

CSetLineDlg::CSetLineDlg(const RecordProfile& record, std::int32_t line, std::int32_t slot, std::string section,
                         std::function<void()> refreshAllViews, QWidget* parent)
    : DecorationDialog(std::move(refreshAllViews), parent), model_(*this, record, line, slot, std::move(section)) {
    setWindowTitle(QStringLiteral("装飾線設定"));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = Field(kFieldNames[i]);
        fields_[i]->setMaximumWidth(70);
    }

    auto* points = new QHBoxLayout;
    points->addWidget(BuildPoint(QStringLiteral("開始座標"), DecorativeLineModel::StartX, DecorativeLineModel::StartY));
    points->addWidget(BuildPoint(QStringLiteral("終了座標"), DecorativeLineModel::EndX, DecorativeLineModel::EndY));

    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(new QLabel(QStringLiteral("線の幅"), this));
    widthRow->addWidget(fields_[DecorativeLineModel::Width]);
    widthRow->addWidget(new QLabel(QStringLiteral("線の幅は1/100インチ単位で指定してくださいね。"), this));
    widthRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(points);
    layout->addWidget(new QLabel(QStringLiteral("座標がすべて0だと印刷されません。"), this));
    color_ = Button(QStringLiteral("色設定"), "color", [this] { model_.OnColor(); });
    layout->addWidget(color_, 0, Qt::AlignLeft);
    layout->addLayout(widthRow);
    layout->addWidget(OkCancelUpdate([this] { model_.OnUpdateView(); }));

    model_.OnOpen();
    ShowFields();
}

QWidget* CSetLineDlg::BuildPoint(const QString& caption, DecorativeLineModel::Field x, DecorativeLineModel::Field y) {
    auto* group = new QGroupBox(caption, this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("X座標"), group), 0, 0);
    grid->addWidget(fields_[x], 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y座標"), group), 1, 0);
    grid->addWidget(fields_[y], 1, 1);
    return group;
}

bool CSetLineDlg::TakeFields() {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (!TakeStoredText(this, fields_[i]->text(), model_.fields[i])) return false;
    return true;
}

void CSetLineDlg::ShowFields() {
    for (std::size_t i = 0; i < fields_.size(); ++i) ShowStoredText(fields_[i], model_.fields[i]);
    ShowColorSwatch(color_, model_.color);
}

void CSetLineDlg::Ok() { model_.OnOk(); }

bool RunDecorativeLineDialog(QWidget* parent, const RecordProfile& record, std::int32_t line, std::int32_t slot,
                             const std::string& section, std::function<void()> refreshAllViews) {
    CSetLineDlg dialog(record, line, slot, section, std::move(refreshAllViews), parent);
    return dialog.exec() == QDialog::Accepted;
}
