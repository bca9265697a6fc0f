#pragma once

#include <functional>

#include "dialogs/decoration_platform.h"
#include "dialogs/qt/model_dialog.h"

// The frame of the modal decoration dialogs that the input dialog opens: controls bound to a
// model, the platform's colour chooser, a redraw of all views, and a place at the top right of
// the screen so that the tag stays in sight.
class DecorationDialog : public ModelDialog, protected DecorationPlatform {
    Q_OBJECT

public:
    DecorationDialog(std::function<void()> refreshAllViews, QWidget* parent);

protected:
    // "OK" (the default button), "ｷｬﾝｾﾙ" and "ﾋﾞｭｰ更新" in a row.
    QWidget* OkCancelUpdate(std::function<void()> onUpdate);

    void showEvent(QShowEvent* event) override;
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    void RefreshAllViews() override;

private:
    std::function<void()> refreshAllViews_;
};
