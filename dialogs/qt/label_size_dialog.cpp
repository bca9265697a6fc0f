#include "dialogs/qt/label_size_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/sheet_chooser_dialog.h"
#include "dialogs/qt/slot_radio_buttons.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

CLabelSizeDlg::CLabelSizeDlg(const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot,
                             QWidget* parent)
    : ModelDialog(parent), settings_(settings), record_(record), model_(settings, record, slot) {
    setWindowTitle(QStringLiteral("ﾗﾍﾞﾙｻｲｽﾞ設定"));
    slots_ = new SlotRadioButtons(
        QStringLiteral("どのｻｲｽﾞ?"), [this](std::int32_t s) { Run([this, s] { model_.OnSlot(s); }); }, this);
    width_ = Field("width", [this] { model_.OnSizeEdited(); });
    height_ = Field("height", [this] { model_.OnSizeEdited(); });

    auto* sizes = new QFormLayout;
    sizes->addRow(QStringLiteral("幅"), width_);
    sizes->addRow(QStringLiteral("高さ"), height_);
    sizes->addRow(Button(QStringLiteral("ﾃﾞﾌｫｰﾙﾄ設定"), "default", [this] { model_.OnDefault(); }));
    // The chooser stores the size at once, as typing does; the fields then show it.
    sizes->addRow(Button(QStringLiteral("用紙を選ぶ"), "chooseSheet", [this] {
        if (RunSheetChooser(this, settings_, record_, model_.Slot())) model_.OnSlot(model_.Slot());
    }));

    auto* top = new QHBoxLayout;
    top->addWidget(slots_);
    top->addLayout(sizes);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("単位は1/100インチです。ご注意ください。"), this));
    layout->addWidget(OkCancel());

    model_.OnOpen();
    ShowFields();
}

bool CLabelSizeDlg::TakeFields() {
    return TakeStoredText(this, width_->text(), model_.width) && TakeStoredText(this, height_->text(), model_.height);
}

void CLabelSizeDlg::ShowFields() {
    slots_->Show(model_.slotButtons);
    ShowStoredText(width_, model_.width);
    ShowStoredText(height_, model_.height);
}

bool RunLabelSizeDialog(QWidget* parent, const SettingsProfile& settings, const RecordProfile& record, std::int32_t slot) {
    CLabelSizeDlg dialog(settings, record, slot, parent);
    return dialog.exec() == QDialog::Accepted;
}
