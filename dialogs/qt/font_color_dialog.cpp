#include "dialogs/qt/font_color_dialog.h"

#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/color_swatch.h"
#include "dialogs/qt/stored_input.h"
#include "widgets/widget_text.h"

namespace {

// The font dialog as a part of another dialog: closing it (Escape) closes the outer one.
class FontPane : public QFontDialog {
public:
    explicit FontPane(QDialog* outer) : QFontDialog(outer), outer_(outer) {
        setWindowFlags(Qt::Widget);
        setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    }

protected:
    void done(int result) override { outer_->done(result); }

private:
    QDialog* outer_;
};

class FontColorDialog : public QDialog {
public:
    FontColorDialog(QWidget* parent, const FontChoice& initial);

    const FontChoice& Chosen() const { return chosen_; }
    void accept() override;

private:
    void ChooseColor();
    void ShowColor();

    FontChoice chosen_;
    FontPane* fonts_;
    QPushButton* color_;
    QFont shown_;
};

FontColorDialog::FontColorDialog(QWidget* parent, const FontChoice& initial)
    : QDialog(parent), chosen_(initial), fonts_(new FontPane(this)), color_(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("ﾌｫﾝﾄ"));
    color_->setObjectName(QStringLiteral("color"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("色:"), this));
    buttons->addWidget(color_);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(buttons);

    // A stored face such as "ＭＳ ゴシック" stands for an installed font; the dialog lists only
    // installed ones.
    QFont font(ToWidgetText(initial.face));
    font.setFamily(QFontInfo(font).family());
    font.setPointSizeF(initial.points);
    font.setWeight(static_cast<QFont::Weight>(initial.weight));
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikeOut);
    fonts_->setCurrentFont(font);
    shown_ = fonts_->currentFont();
    ShowColor();

    connect(color_, &QPushButton::clicked, this, &FontColorDialog::ChooseColor);
    connect(ok, &QPushButton::clicked, this, &FontColorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FontColorDialog::reject);
}

void FontColorDialog::ChooseColor() {
    const std::optional<ColorRef> color = RunColorChooser(this, chosen_.color);
    if (!color) return;
    chosen_.color = *color;
    ShowColor();
}

void FontColorDialog::ShowColor() { ShowColorSwatch(color_, chosen_.color); }

void FontColorDialog::accept() {
    const QFont font = fonts_->currentFont();
    // The dialog shows the installed font, in whole points and in the styles it has; what the
    // user leaves as shown keeps its stored face, exact size and weight.
    if (font.family() != shown_.family() && !TakeStoredText(this, font.family(), chosen_.face)) return;
    if (font.pointSizeF() != shown_.pointSizeF()) chosen_.points = font.pointSizeF();
    if (font.weight() != shown_.weight()) chosen_.weight = font.weight();
    if (font.italic() != shown_.italic()) chosen_.italic = font.italic();
    chosen_.underline = font.underline();
    chosen_.strikeOut = font.strikeOut();
    QDialog::accept();
}

}  // namespace

std::optional<FontChoice> RunFontDialog(QWidget* parent, const FontChoice& initial) {
    FontColorDialog dialog(parent, initial);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}
