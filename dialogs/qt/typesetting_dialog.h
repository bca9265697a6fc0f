#pragma once

#include <functional>
#include <string>

#include "dialogs/qt/decoration_dialog.h"
#include "dialogs/typesetting_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// "文字組み": fitting, vertical writing, furigana and QR code of one item of the current card.
class CTypesetDlg : public DecorationDialog {
    Q_OBJECT

public:
    CTypesetDlg(const RecordProfile& record, std::string section, std::string slotPrefix, std::string item,
                std::int32_t labelWidth, std::function<void()> refreshAllViews, QWidget* parent = nullptr);

    // "ｷｬﾝｾﾙ", Escape or the close box.
    void reject() override;

private:
    bool TakeFields() override;
    void ShowFields() override;
    void Ok() override;

    QWidget* BuildFit();
    QWidget* BuildQr();
    QCheckBox* Check(const QString& caption, const char* name);

    TypesettingModel model_;
    QLineEdit* maxWidth_ = nullptr;
    QLineEdit* fitMin_ = nullptr;
    QCheckBox* vertical_ = nullptr;
    QCheckBox* wrap_ = nullptr;
    QCheckBox* ruby_ = nullptr;
    QCheckBox* qr_ = nullptr;
    QLineEdit* qrSize_ = nullptr;
    QComboBox* qrLevel_ = nullptr;
    QLabel* qrProblem_ = nullptr;
};

// Runs the dialog modally on an item of a card; true for OK. The caller redraws afterwards.
bool RunTypesettingDialog(QWidget* parent, const RecordProfile& record, const std::string& section,
                          const std::string& slotPrefix, const std::string& item, std::int32_t labelWidth,
                          std::function<void()> refreshAllViews);
