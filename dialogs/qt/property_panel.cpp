#include "dialogs/qt/property_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <tuple>

#include "dialogs/qt/color_chooser.h"
#include "dialogs/qt/frame_pictures.h"
#include "render/qt/qt_colors.h"
#include "store/items.h"
#include "widgets/widget_text.h"

namespace {

constexpr int kCustomColorRole = Qt::UserRole + 1;
const int kPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 32, 36, 40, 48, 56, 64, 72, 96};

QIcon Swatch(ColorRef color) {
    QPixmap pixmap(14, 14);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

// Japanese faces first, as organisers look for them, then the others; each in its own face.
QStringList FontFaces() {
    QStringList faces = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& face : QFontDatabase::families())
        if (!faces.contains(face)) faces.push_back(face);
    return faces;
}

}  // namespace

CPropertyPanel::CPropertyPanel(EditSession& session, std::function<void()> refreshAllViews, QWidget* parent)
    : QDockWidget(QStringLiteral("プロパティ"), parent), refreshAllViews_(std::move(refreshAllViews)), model_(*this, session) {
    setObjectName(QStringLiteral("properties"));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(BuildScope());
    layout->addWidget(BuildItem());
    layout->addWidget(BuildTag());
    layout->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    setWidget(scroll);
    model_.changedElsewhere = [this] { ShowFields(); };
    Reload();
}

void CPropertyPanel::Reload() {
    model_.OnShow();
    ShowFields();
}

QCheckBox* CPropertyPanel::CheckBox(const QString& caption, const QString& name, bool PropertyPanelModel::*field,
                                    void (PropertyPanelModel::*handler)()) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    checks_.emplace_back(box, field);
    connect(box, &QCheckBox::toggled, this, [this, field, handler](bool on) {
        Run([this, field, handler, on] {
            model_.*field = on;
            (model_.*handler)();
        });
    });
    return box;
}

QComboBox* CPropertyPanel::ColorList(const std::vector<NamedColor>& colors, const QString& name,
                                     std::function<void(ColorRef)> picked) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    for (const NamedColor& color : colors) list->addItem(Swatch(color.color), ToWidgetText(color.name), QVariant::fromValue(color.color));
    list->addItem(QStringLiteral("その他の色..."));
    connect(list, &QComboBox::activated, this, [this, list, picked = std::move(picked)](int index) {
        const QVariant named = list->itemData(index);
        if (named.isValid()) {
            Run([&] { picked(named.value<ColorRef>()); });
            return;
        }
        const ColorRef current = list->property("color").value<ColorRef>();
        if (const std::optional<ColorRef> chosen = RunColorChooser(this, current)) Run([&] { picked(*chosen); });
        ShowFields();
    });
    return list;
}

void CPropertyPanel::ShowColor(QComboBox* list, const std::vector<NamedColor>& colors, ColorRef color) {
    list->setProperty("color", QVariant::fromValue(color));
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->itemData(i, kCustomColorRole).toBool()) list->removeItem(i);
    const auto named = std::find_if(colors.begin(), colors.end(), [&](const NamedColor& c) { return c.color == color; });
    if (named != colors.end()) {
        list->setCurrentIndex(static_cast<int>(named - colors.begin()));
        return;
    }
    // A colour of no name shows as itself, just above "その他の色...".
    const int at = list->count() - 1;
    list->insertItem(at, Swatch(color), ToQColor(color).name(), QVariant::fromValue(color));
    list->setItemData(at, true, kCustomColorRole);
    list->setCurrentIndex(at);
}

QWidget* CPropertyPanel::BuildScope() {
    auto* group = new QGroupBox(QStringLiteral("適用先"), this);
    auto* layout = new QVBoxLayout(group);
    scope_ = new QButtonGroup(group);
    // The two counted choices are captioned as the model counts them.
    sameDesign_ = new QRadioButton(group);
    everyone_ = new QRadioButton(group);
    auto* thisCard = new QRadioButton(QStringLiteral("このカードだけ"), group);
    for (const auto& [radio, name, scope] : {std::tuple{sameDesign_, "sameDesign", DesignScope::SameDesign},
                                             std::tuple{everyone_, "everyone", DesignScope::Everyone},
                                             std::tuple{thisCard, "thisCard", DesignScope::ThisCard}}) {
        radio->setObjectName(QString::fromLatin1(name));
        scope_->addButton(radio, static_cast<int>(scope));
        layout->addWidget(radio);
    }
    scopeNote_ = new QLabel(group);
    scopeNote_->setObjectName(QStringLiteral("scopeNote"));
    layout->addWidget(scopeNote_);
    connect(scope_, &QButtonGroup::idClicked, this, [this](int id) {
        Run([this, id] {
            model_.scope = static_cast<DesignScope>(id);
            model_.OnScope();
        });
    });
    return group;
}

QWidget* CPropertyPanel::BuildItem() {
    auto* group = new QGroupBox(QStringLiteral("項目"), this);
    auto* form = new QFormLayout(group);
    item_ = new QLabel(group);
    item_->setObjectName(QStringLiteral("item"));
    QFont bold = item_->font();
    bold.setBold(true);
    item_->setFont(bold);
    form->addRow(item_);

    text_ = new QLineEdit(group);
    text_->setObjectName(QStringLiteral("text"));
    connect(text_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        std::string stored;
        if (!FromWidgetExactText(typed, stored)) return;
        text_->setModified(false);
        Run([this, &stored] {
            model_.text = stored;
            model_.OnTextEdited();
        });
    });
    KeepOwnUndoWhileTyping(text_);
    form->addRow(QStringLiteral("内容"), text_);

    face_ = new QComboBox(group);
    face_->setObjectName(QStringLiteral("face"));
    for (const QString& face : FontFaces()) {
        face_->addItem(face);
        face_->setItemData(face_->count() - 1, QFont(face), Qt::FontRole);
    }
    connect(face_, &QComboBox::activated, this, [this](int index) {
        std::string stored;
        if (FromWidgetText(face_->itemText(index), stored)) Run([this, &stored] {
                model_.face = stored;
                model_.OnFont();
            });
    });
    form->addRow(QStringLiteral("フォント"), face_);

    points_ = new QComboBox(group);
    points_->setObjectName(QStringLiteral("points"));
    points_->setEditable(true);
    points_->setInsertPolicy(QComboBox::NoInsert);
    for (const int size : kPointSizes) points_->addItem(QString::number(size));
    points_->setMaxVisibleItems(static_cast<int>(std::size(kPointSizes)));
    const auto takePoints = [this] {
        points_->lineEdit()->setModified(false);
        Run([this] {
            model_.points = points_->currentText().trimmed().toStdString();
            model_.OnFont();
        });
    };
    connect(points_, &QComboBox::activated, this, takePoints);
    connect(points_->lineEdit(), &QLineEdit::editingFinished, this, takePoints);
    KeepOwnUndoWhileTyping(points_->lineEdit());
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(points_, 1);
    sizeRow->addWidget(new QLabel(QStringLiteral("pt"), group));
    sizeRow->addWidget(CheckBox(QStringLiteral("太字"), QStringLiteral("bold"), &PropertyPanelModel::bold, &PropertyPanelModel::OnFont));
    sizeRow->addWidget(CheckBox(QStringLiteral("斜体"), QStringLiteral("italic"), &PropertyPanelModel::italic, &PropertyPanelModel::OnFont));
    form->addRow(QStringLiteral("サイズ"), sizeRow);

    color_ = ColorList(TextColors(), QStringLiteral("color"), [this](ColorRef color) { model_.OnColor(color); });
    form->addRow(QStringLiteral("色"), color_);

    auto* alignRow = new QHBoxLayout;
    alignment_ = new QButtonGroup(this);
    const std::pair<const char*, AlignmentCode> aligns[] = {
        {"左", AlignmentCode::Left}, {"中央", AlignmentCode::Centre}, {"右", AlignmentCode::Right}};
    for (const auto& [caption, code] : aligns) {
        auto* button = new QPushButton(QString::fromUtf8(caption), group);
        button->setCheckable(true);
        button->setObjectName(QStringLiteral("align%1").arg(static_cast<int>(code)));
        alignment_->addButton(button, static_cast<int>(code));
        alignRow->addWidget(button);
    }
    connect(alignment_, &QButtonGroup::idClicked, this, [this](int code) { Run([this, code] { model_.OnAlign(code); }); });
    form->addRow(QStringLiteral("配置"), alignRow);

    auto* positionRow = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("X"), QStringLiteral("Y")};
    for (const auto axis : {PropertyPanelModel::Axis::X, PropertyPanelModel::Axis::Y}) {
        const auto i = static_cast<std::size_t>(axis);
        position_[i] = new QLineEdit(group);
        position_[i]->setObjectName(i == 0 ? QStringLiteral("x") : QStringLiteral("y"));
        KeepOwnUndoWhileTyping(position_[i]);
        connect(position_[i], &QLineEdit::editingFinished, this, [this, axis, i] {
            position_[i]->setModified(false);
            Run([this, axis, i] {
                (i == 0 ? model_.x : model_.y) = position_[i]->text().trimmed().toStdString();
                model_.OnPositionEntered(axis);
            });
        });
        positionRow->addWidget(new QLabel(captions[i], group));
        positionRow->addWidget(position_[i], 1);
    }
    positionRow->addWidget(new QLabel(QStringLiteral("mm"), group));
    form->addRow(QStringLiteral("位置"), positionRow);

    form->addRow(CheckBox(QStringLiteral("印刷する"), QStringLiteral("print"), &PropertyPanelModel::print,
                          &PropertyPanelModel::OnPrintToggled));
    auto* typesetting = new QGridLayout;
    typesetting->addWidget(CheckBox(QStringLiteral("ラベル幅に合わせる"), QStringLiteral("fitToLabel"),
                                    &PropertyPanelModel::fitToLabel, &PropertyPanelModel::OnTypesetting), 0, 0);
    typesetting->addWidget(CheckBox(QStringLiteral("縦書き"), QStringLiteral("vertical"), &PropertyPanelModel::vertical,
                                    &PropertyPanelModel::OnTypesetting), 0, 1);
    typesetting->addWidget(CheckBox(QStringLiteral("ふりがな"), QStringLiteral("ruby"), &PropertyPanelModel::ruby,
                                    &PropertyPanelModel::OnTypesetting), 1, 0);
    typesetting->addWidget(CheckBox(QStringLiteral("QRコード"), QStringLiteral("qr"), &PropertyPanelModel::qr,
                                    &PropertyPanelModel::OnTypesetting), 1, 1);
    form->addRow(typesetting);
    return group;
}

QWidget* CPropertyPanel::BuildTag() {
    auto* group = new QGroupBox(QStringLiteral("タグ"), this);
    auto* form = new QFormLayout(group);
    frameKind_ = new QComboBox(group);
    frameKind_->setObjectName(QStringLiteral("frameKind"));
    const std::vector<QImage>& pictures = FrameKindPictures();
    const std::vector<QString>& captions = FrameKindCaptions();
    for (std::size_t i = 0; i < captions.size(); ++i) frameKind_->addItem(QPixmap::fromImage(pictures[i]), captions[i]);
    connect(frameKind_, &QComboBox::activated, this, [this](int kind) {
        Run([this, kind] {
            model_.frameKind = kind;
            model_.OnFrameKind();
        });
    });
    form->addRow(QStringLiteral("枠"), frameKind_);
    frameColor_ = ColorList(TextColors(), QStringLiteral("frameColor"), [this](ColorRef color) { model_.OnFrameColor(color); });
    form->addRow(QStringLiteral("枠の色"), frameColor_);
    fillColor_ = ColorList(TextColors(), QStringLiteral("fillColor"), [this](ColorRef color) { model_.OnFillColor(color); });
    form->addRow(QStringLiteral("塗り"), fillColor_);

    band_ = new QComboBox(group);
    band_->setObjectName(QStringLiteral("band"));
    band_->addItem(QStringLiteral("なし"));
    for (const NamedColor& color : RibbonColors()) band_->addItem(Swatch(color.color), ToWidgetText(color.name));
    connect(band_, &QComboBox::activated, this, [this](int index) {
        Run([this, index] {
            model_.band = index - 1;
            model_.OnBand();
        });
    });
    form->addRow(QStringLiteral("帯"), band_);
    form->addRow(CheckBox(QStringLiteral("装飾線"), QStringLiteral("lines"), &PropertyPanelModel::lines,
                          &PropertyPanelModel::OnLinesToggled));
    return group;
}

void CPropertyPanel::KeepOwnUndoWhileTyping(QLineEdit* field) { field->installEventFilter(this); }

bool CPropertyPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && event->type() == QEvent::ShortcutOverride && !field->isModified()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            // Not taken by the field: the window's shortcut runs.
            event->ignore();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void CPropertyPanel::Run(const std::function<void()>& handler) {
    if (showing_) return;
    handler();
    ShowFields();
}

void CPropertyPanel::ShowFields() {
    showing_ = true;
    item_->setText(ToWidgetText(model_.item));
    ShowStoredText(text_, model_.text);
    const QString face = ToWidgetText(model_.face);
    if (face_->findText(face) < 0) face_->insertItem(0, face);
    face_->setCurrentIndex(face_->findText(face));
    if (!points_->lineEdit()->isModified()) points_->setEditText(QString::fromStdString(model_.points));
    ShowColor(color_, TextColors(), model_.color);
    for (QAbstractButton* button : alignment_->buttons()) button->setChecked(alignment_->id(button) == model_.alignment);
    for (std::size_t i = 0; i < position_.size(); ++i)
        if (!position_[i]->isModified()) position_[i]->setText(QString::fromStdString(i == 0 ? model_.x : model_.y));
    for (const auto& [box, field] : checks_) box->setChecked(model_.*field);
    for (const auto& [box, field] : checks_)
        if (field == &PropertyPanelModel::ruby) box->setEnabled(model_.rubyEnabled);
    frameKind_->setCurrentIndex(model_.frameKind);
    ShowColor(frameColor_, TextColors(), model_.frameColor);
    ShowColor(fillColor_, TextColors(), model_.fillColor);
    band_->setCurrentIndex(model_.band + 1);
    sameDesign_->setText(ToWidgetText(model_.sameDesignCaption));
    everyone_->setText(ToWidgetText(model_.everyoneCaption));
    scope_->button(static_cast<int>(model_.scope))->setChecked(true);
    scopeNote_->setText(ToWidgetText(model_.scopeNote));
    showing_ = false;
}

std::optional<ColorRef> CPropertyPanel::ChooseColor(ColorRef initial) { return RunColorChooser(this, initial); }

void CPropertyPanel::RefreshAllViews() {
    if (refreshAllViews_) refreshAllViews_();
}
