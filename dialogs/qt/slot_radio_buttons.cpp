#include "dialogs/qt/slot_radio_buttons.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kCaptions[kLabelSlotCount] = {"名刺ｻｲｽﾞ", "ﾕｰｻﾞｰ(1)", "ﾕｰｻﾞｰ(2)"};

}  // namespace

SlotRadioButtons::SlotRadioButtons(const QString& title, std::function<void(std::int32_t slot)> clicked,
                                   QWidget* parent)
    : QGroupBox(title, parent) {
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new QRadioButton(QString::fromUtf8(kCaptions[i]), this);
        buttons_[i]->setObjectName(QStringLiteral("slot%1").arg(i + 1));
        layout->addWidget(buttons_[i]);
        const auto slot = static_cast<std::int32_t>(i + 1);
        connect(buttons_[i], &QRadioButton::clicked, this, [clicked, slot] { clicked(slot); });
    }
}

void SlotRadioButtons::Show(const SlotButtons& buttons) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(buttons.checked[i]);
}
