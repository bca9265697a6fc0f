#pragma once

#include <QGroupBox>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

#include "dialogs/slot_buttons.h"

class QRadioButton;

// The three label-slot radio buttons of a dialog, in a titled group, named "slot1" … "slot3" and
// captioned with the sizes' names as the label size dialog shows them.
class SlotRadioButtons : public QGroupBox {
public:
    // clicked gets the slot of the button the user clicked.
    SlotRadioButtons(const QString& title, std::function<void(std::int32_t slot)> clicked, QWidget* parent);

    void Show(const SlotButtons& buttons);

private:
    std::array<QRadioButton*, kLabelSlotCount> buttons_{};
};
