#include "dialogs/qt/category_rules_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { kItem, kValue, kDesign, kHonorific, kColumns };

// The list's first entry, no honorific.
const QString kNone = QStringLiteral("なし");

QComboBox* Choices(const std::vector<std::string>& texts, bool editable) {
    auto* box = new QComboBox;
    box->setEditable(editable);
    for (const std::string& text : texts) box->addItem(QString::fromStdString(text));
    return box;
}

}  // namespace

CCategoryRulesDlg::CCategoryRulesDlg(const SettingsProfile& settings, cards::RecordCards cards, QWidget* parent)
    : ModelDialog(parent), model_(settings, std::move(cards), designs::DesignLibrary::Installed()) {
    setWindowTitle(QStringLiteral("区分ごとのデザイン"));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("rules"));
    table_->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("値"), QStringLiteral("デザイン"),
                                       QStringLiteral("敬称")});
    table_->horizontalHeader()->setSectionResizeMode(kDesign, QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setMinimumSize(560, 240);
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { Run([this] { model_.OnChanged(); }); });

    auto* row = new QHBoxLayout;
    row->addWidget(Button(QStringLiteral("区分を読み込む"), "read", [this] { model_.OnReadCategories(); }));
    row->addWidget(Button(QStringLiteral("追加"), "add", [this] { model_.OnAdd(); }));
    remove_ = Button(QStringLiteral("削除"), "remove", [this] { model_.OnRemove(); });
    row->addWidget(remove_);
    row->addStretch();
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("項目の値ごとに、カードのデザインと名前の後の敬称を決めます。\n"
                                                "取り込み・名簿から作成・区分の変更のときにも使います。"),
                                 this));
    layout->addWidget(table_);
    layout->addLayout(row);
    layout->addWidget(problem_);
    QWidget* buttons = OkCancel();
    ok_ = buttons->findChild<QPushButton*>(QStringLiteral("ok"));
    layout->addWidget(buttons);

    model_.OnOpen();
    ShowFields();
}

void CCategoryRulesDlg::BuildRow(int row) {
    const auto changed = [this] { Run([this] { model_.OnChanged(); }); };
    QComboBox* item = Choices(model_.items, false);
    connect(item, &QComboBox::activated, this, changed);
    table_->setCellWidget(row, kItem, item);
    auto* value = new QLineEdit;
    connect(value, &QLineEdit::editingFinished, this, changed);
    table_->setCellWidget(row, kValue, value);
    QComboBox* design = Choices(model_.designs, false);
    connect(design, &QComboBox::activated, this, changed);
    table_->setCellWidget(row, kDesign, design);
    QComboBox* honorific = Choices(model_.honorifics, true);
    honorific->setItemText(0, kNone);
    honorific->lineEdit()->installEventFilter(this);
    connect(honorific, &QComboBox::currentTextChanged, this, changed);
    table_->setCellWidget(row, kHonorific, honorific);
}

bool CCategoryRulesDlg::eventFilter(QObject* watched, QEvent* event) {
    // On the release: a list opened on the press would close as the button comes up.
    if (event->type() == QEvent::MouseButtonRelease)
        if (auto* box = qobject_cast<QComboBox*>(watched->parent()); box != nullptr && box->lineEdit() == watched)
            box->showPopup();
    return ModelDialog::eventFilter(watched, event);
}

bool CCategoryRulesDlg::TakeFields() {
    for (int row = 0; row < table_->rowCount() && row < static_cast<int>(model_.rows.size()); ++row) {
        CategoryRulesModel::Row& rule = model_.rows[static_cast<std::size_t>(row)];
        rule.item = static_cast<QComboBox*>(table_->cellWidget(row, kItem))->currentIndex();
        rule.value = static_cast<QLineEdit*>(table_->cellWidget(row, kValue))->text().trimmed().toStdString();
        rule.design = static_cast<QComboBox*>(table_->cellWidget(row, kDesign))->currentIndex();
        const QString honorific = static_cast<QComboBox*>(table_->cellWidget(row, kHonorific))->currentText().trimmed();
        rule.honorific = honorific == kNone ? std::string() : honorific.toStdString();
    }
    model_.selected = table_->currentRow();
    return true;
}

void CCategoryRulesDlg::ShowFields() {
    const QSignalBlocker blocking(table_);
    const int count = static_cast<int>(model_.rows.size());
    if (table_->rowCount() != count) {
        table_->setRowCount(count);
        for (int row = 0; row < count; ++row) BuildRow(row);
    }
    for (int row = 0; row < count; ++row) {
        const CategoryRulesModel::Row& rule = model_.rows[static_cast<std::size_t>(row)];
        static_cast<QComboBox*>(table_->cellWidget(row, kItem))->setCurrentIndex(rule.item);
        auto* value = static_cast<QLineEdit*>(table_->cellWidget(row, kValue));
        if (value->text().toStdString() != rule.value) value->setText(QString::fromStdString(rule.value));
        static_cast<QComboBox*>(table_->cellWidget(row, kDesign))->setCurrentIndex(rule.design);
        auto* honorific = static_cast<QComboBox*>(table_->cellWidget(row, kHonorific));
        const QSignalBlocker quiet(honorific);
        const QString shown = rule.honorific.empty() ? kNone : QString::fromStdString(rule.honorific);
        if (honorific->currentText() != shown) honorific->setCurrentText(shown);
    }
    if (model_.selected >= 0 && model_.selected != table_->currentRow()) table_->selectRow(model_.selected);
    remove_->setEnabled(model_.removeEnabled);
    problem_->setText(QString::fromStdString(model_.problem));
    if (ok_ != nullptr) ok_->setEnabled(model_.okEnabled);
}

bool RunCategoryRulesDialog(QWidget* parent, const SettingsProfile& settings, cards::RecordCards cards) {
    CCategoryRulesDlg dialog(settings, std::move(cards), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    QMessageBox::information(parent, QStringLiteral("区分ごとのデザイン"), QString::fromStdString(dialog.Message()));
    return true;
}
