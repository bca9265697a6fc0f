#include "view/qt/roster_dock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "widgets/widget_text.h"

namespace {

constexpr int kRowsShown = 10;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString FailureMessage(cards::Failure failure) {
    switch (failure) {
        case cards::Failure::NoSuchCard: return Text("そのカードはありません。");
        case cards::Failure::UnknownItem: return Text("その項目では並べ替えられません。");
        case cards::Failure::TooManyCards:
        case cards::Failure::CardLimit: return Text("カードが多すぎるため操作できません。");
        case cards::Failure::NotWritten:
        case cards::Failure::None: break;
    }
    return Text("ファイルに書き込めませんでした。");
}

}  // namespace

RosterTableModel::RosterTableModel(RosterModel& roster, QObject* parent) : QAbstractTableModel(parent), roster_(roster) {
    rows_ = roster_.RowCount();
}

int RosterTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int RosterTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : roster_.ColumnCount(); }

QVariant RosterTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    // What is edited is the stored text alone.
    if (role == Qt::EditRole) return ToWidgetText(roster_.Cell(index.row(), index.column()));
    return ToWidgetText(roster_.ShownCell(index.row(), index.column()));
}

QVariant RosterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return ToWidgetText(roster_.Header(section));
}

Qt::ItemFlags RosterTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (roster_.IsEditable(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}

bool RosterTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !roster_.IsEditable(index.column())) return false;
    std::string stored;
    if (takeText ? !takeText(value.toString(), stored) : !FromWidgetText(value.toString(), stored)) return false;
    if (stored == roster_.Cell(index.row(), index.column())) return true;
    if (!roster_.SetCell(index.row(), index.column(), stored)) return false;
    profile::ProfileService::Instance().EndUndoStep();
    emit dataChanged(index, index);
    if (changed) changed();
    return true;
}

void RosterTableModel::RefreshCells() {
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

void RosterTableModel::Reload() {
    beginResetModel();
    rows_ = roster_.RowCount();
    endResetModel();
}

CRosterDock::CRosterDock(const SettingsProfile& settings, const RecordProfile& record, std::vector<std::string> userItems,
                         RosterPrompts& prompts, QWidget* parent)
    : QDockWidget(Text("名簿"), parent), roster_(settings, record, std::move(userItems)), prompts_(prompts) {
    setObjectName("RosterDock");
    Build();
}

void CRosterDock::Build() {
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    search_ = new QLineEdit(body);
    search_->setPlaceholderText(Text("検索"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);

    tableModel_ = new RosterTableModel(roster_, this);
    tableModel_->takeText = [](const QString& typed, std::string& stored) { return FromWidgetExactText(typed, stored); };
    tableModel_->changed = [this] {
        if (changed) changed();
    };
    table_ = new QTableView(body);
    table_->setModel(tableModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                            QAbstractItemView::SelectedClicked);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Ten rows show when the dock opens, whatever shares its side of the window.
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                             kRowsShown * table_->verticalHeader()->defaultSectionSize() +
                             table_->horizontalScrollBar()->sizeHint().height() + 2 * table_->frameWidth());
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* caption, void (CRosterDock::*slot)()) {
        auto* pushButton = new QPushButton(Text(caption), body);
        connect(pushButton, &QPushButton::clicked, this, slot);
        buttons->addWidget(pushButton);
        auto* action = new QAction(Text(caption), table_);
        connect(action, &QAction::triggered, this, slot);
        table_->addAction(action);
    };
    button("追加", &CRosterDock::Add);
    button("挿入", &CRosterDock::Insert);
    button("複製", &CRosterDock::Duplicate);
    button("削除", &CRosterDock::Delete);
    button("上へ", &CRosterDock::MoveUp);
    button("下へ", &CRosterDock::MoveDown);
    layout->addLayout(buttons);
    auto* lower = new QHBoxLayout;
    for (const auto& [caption, slot] : {std::pair{"選択したカードを印刷", &CRosterDock::PrintSelected},
                                        std::pair{"デザインを全員に適用", &CRosterDock::ApplyDesign},
                                        std::pair{"デザインを選ぶ...", &CRosterDock::ChooseDesign},
                                        std::pair{"名簿を取り込み", &CRosterDock::ImportList},
                                        std::pair{"名簿から作成...", &CRosterDock::MakeFromList}}) {
        auto* pushButton = new QPushButton(Text(caption), body);
        connect(pushButton, &QPushButton::clicked, this, slot);
        lower->addWidget(pushButton);
        auto* action = new QAction(Text(caption), table_);
        connect(action, &QAction::triggered, this, slot);
        table_->addAction(action);
    }
    layout->addLayout(lower);
    setWidget(body);
    auto* byCategory = new QAction(Text("区分ごとのデザイン..."), table_);
    connect(byCategory, &QAction::triggered, this, &CRosterDock::ChooseCategoryDesigns);
    table_->addAction(byCategory);

    // In the table's context menu too, so they are named there.
    for (const auto& [caption, keys, slot] : {std::tuple{"コピー", QKeySequence::Copy, &CRosterDock::Copy},
                                              std::tuple{"切り取り", QKeySequence::Cut, &CRosterDock::Cut},
                                              std::tuple{"貼り付け", QKeySequence::Paste, &CRosterDock::Paste}}) {
        auto* action = new QAction(Text(caption), this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        table_->addAction(action);
    }
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CRosterDock::SortByColumn);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& index) {
        if (selecting_ || !index.isValid()) return;
        roster_.MakeCurrent(index.row());
        if (cardChosen) cardChosen(index.row());
    });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        // Cells are edited by typing into them (or F2); a double-click opens the card.
        if (!index.isValid()) return;
        roster_.MakeCurrent(index.row());
        if (cardOpened) cardOpened(index.row());
    });
    connect(search_, &QLineEdit::textChanged, this, &CRosterDock::Filter);
    // Ctrl+A and Shift-click select a range of rows, hidden ones among them: they are dropped.
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection& selected) {
        if (!search_->text().trimmed().isEmpty() && AnyHidden(selected)) DropHiddenFromSelection();
    });
}

void CRosterDock::Reload() {
    shownVersion_ = roster_.Version();
    tableModel_->Reload();
    Filter();
    SelectCard(roster_.CurrentCard());
}

void CRosterDock::Follow() {
    if (roster_.Version() == shownVersion_) return;
    if (roster_.RowCount() != tableModel_->rowCount()) {
        Reload();
        return;
    }
    shownVersion_ = roster_.Version();
    tableModel_->RefreshCells();
    Filter();
    SelectCard(roster_.CurrentCard());
}

void CRosterDock::SetUserItems(std::vector<std::string> userItems) {
    roster_.SetUserItems(userItems);
    Reload();
}

std::vector<std::int32_t> CRosterDock::SelectedRows() const {
    // Read range by range: asking the selection row by row takes as long as rows × ranges.
    std::vector<std::int32_t> rows;
    for (const QItemSelectionRange& range : table_->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (!table_->isRowHidden(row)) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const QModelIndex current = table_->currentIndex();
    if (rows.empty() && current.isValid() && !table_->isRowHidden(current.row())) rows.push_back(current.row());
    return rows;
}

void CRosterDock::DropHiddenFromSelection() {
    if (!AnyHidden(table_->selectionModel()->selection())) return;
    const std::vector<std::int32_t> rows = SelectedRows();
    // The rows that stay, as runs of neighbours, put in a cleared selection: Qt compares an old
    // selection with a new one range by range.
    QItemSelection kept;
    const int lastColumn = tableModel_->columnCount() - 1;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) ++last;
        kept.select(tableModel_->index(rows[first], 0), tableModel_->index(rows[last], lastColumn));
        first = last + 1;
    }
    QItemSelectionModel* selection = table_->selectionModel();
    selection->clearSelection();
    selection->select(kept, QItemSelectionModel::Select);
}

bool CRosterDock::AnyHidden(const QItemSelection& ranges) const {
    for (const QItemSelectionRange& range : ranges)
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (table_->isRowHidden(row)) return true;
    return false;
}

// The user's selection stands when the card is the table's current row already (a click is
// still adding it to the selection) or among the selected rows (making the selected cards the
// print job changes the file, not the rows).
void CRosterDock::SelectCard(std::int32_t card) {
    if (card < 0 || card >= tableModel_->rowCount() || table_->currentIndex().row() == card) return;
    selecting_ = true;
    QItemSelectionModel* selection = table_->selectionModel();
    const auto how = selection->isRowSelected(card, {}) ? QItemSelectionModel::NoUpdate
                                                        : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    selection->setCurrentIndex(tableModel_->index(card, 0), how);
    table_->scrollTo(tableModel_->index(card, 0));
    selecting_ = false;
}

void CRosterDock::Filter() {
    const QString query = search_->text().trimmed();
    const std::int32_t rows = tableModel_->rowCount();
    if (query.isEmpty()) {
        for (std::int32_t row = 0; row < rows; ++row) table_->setRowHidden(row, false);
        return;
    }
    const std::vector<std::int32_t> matching = roster_.Matching(query.toStdString());
    std::vector<bool> shown(static_cast<std::size_t>(rows), false);
    for (const std::int32_t row : matching) shown[static_cast<std::size_t>(row)] = true;
    for (std::int32_t row = 0; row < rows; ++row) table_->setRowHidden(row, !shown[static_cast<std::size_t>(row)]);
    DropHiddenFromSelection();
}

void CRosterDock::Finish(const cards::Outcome& outcome, std::optional<std::int32_t> select) {
    if (!outcome) {
        prompts_.Tell(this, FailureMessage(outcome.failure));
        return;
    }
    if (select) roster_.MakeCurrent(std::clamp(*select, 0, std::max(roster_.RowCount() - 1, 0)));
    // Each roster operation is one step of undo.
    profile::ProfileService::Instance().EndUndoStep();
    Reload();
    if (changed) changed();
    // The card may have moved to another page (a sort, a move, cards added before it): the view
    // turns to the page of the row the table shows selected.
    if (cardChosen) cardChosen(roster_.CurrentCard());
}

void CRosterDock::Add() {
    const std::int32_t last = roster_.RowCount();
    Finish(roster_.Add(), last);
}

void CRosterDock::Insert() {
    const std::vector<std::int32_t> rows = SelectedRows();
    const std::int32_t at = rows.empty() ? 0 : rows.front();
    Finish(roster_.InsertBefore(at), at);
}

void CRosterDock::Duplicate() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty()) return;
    const cards::Outcome outcome = roster_.Duplicate(rows);
    Finish(outcome, rows.back() + static_cast<std::int32_t>(rows.size()));
    if (outcome) Note(Text("%1 名のカードを複製しました"), rows.size());
}

void CRosterDock::Note(const QString& words, std::size_t people) {
    if (noted) noted(words.arg(people));
}

void CRosterDock::Delete() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty()) return;
    if (!prompts_.Confirm(this, Text("選択した%1枚のカードを削除しますか？").arg(rows.size()))) return;
    Finish(roster_.Delete(rows), rows.front());
}

void CRosterDock::MoveUp() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.size() != 1 || rows.front() == 0) return;
    Finish(roster_.MoveUp(rows.front()), rows.front() - 1);
}

void CRosterDock::MoveDown() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.size() != 1 || rows.front() + 1 >= roster_.RowCount()) return;
    Finish(roster_.MoveDown(rows.front()), rows.front() + 1);
}

void CRosterDock::SortByColumn(int column) {
    if (!roster_.IsEditable(column)) return;
    const QString question = Text("「%1」の順に並べ替えます。カード番号が付け直されます。よろしいですか？")
                                 .arg(ToWidgetText(roster_.Header(column)));
    if (!prompts_.Confirm(this, question)) return;
    Finish(roster_.SortBy(column), std::nullopt);
}

void CRosterDock::Copy() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty()) return;
    QApplication::clipboard()->setText(QString::fromStdString(roster_.CopyRows(rows)));
    Note(Text("%1 名のカードをコピーしました"), rows.size());
}

void CRosterDock::Cut() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty()) return;
    Copy();
    const cards::Outcome outcome = roster_.Delete(rows);
    Finish(outcome, rows.front());
    if (outcome) Note(Text("%1 名のカードを切り取りました"), rows.size());
}

void CRosterDock::Paste() {
    const std::vector<std::int32_t> rows = SelectedRows();
    const std::int32_t after = rows.empty() ? roster_.RowCount() - 1 : rows.back();
    const RosterModel::PasteResult result = roster_.Paste(after, QApplication::clipboard()->text().toStdString());
    if (result.outcome.changed == 0 && result.outcome) return;
    Finish(result.outcome, after + 1);
}

bool CRosterDock::MakeSelectionThePrintJob() {
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty() || !roster_.SetPrintOrder(rows)) return false;
    if (changed) changed();
    return true;
}

std::vector<std::int32_t> CRosterDock::SelectedCards() const {
    return isVisible() ? SelectedRows() : std::vector<std::int32_t>();
}

void CRosterDock::PrintSelected() {
    const std::size_t people = SelectedRows().size();
    if (!MakeSelectionThePrintJob()) return;
    Note(Text("選択した %1 名のカードを印刷します"), people);
    if (printRequested) printRequested();
}

void CRosterDock::ImportList() {
    if (importRequested) importRequested();
}

void CRosterDock::MakeFromList() {
    if (makeRequested) makeRequested();
}

void CRosterDock::ChooseDesign() {
    if (designRequested) designRequested();
}

void CRosterDock::ChooseCategoryDesigns() {
    if (categoryRequested) categoryRequested();
}

void CRosterDock::ApplyDesign() {
    const std::vector<std::int32_t> selected = SelectedRows();
    // One row selected is the current card itself: the design then goes to everyone.
    const std::vector<std::int32_t> rows = isVisible() && selected.size() > 1 ? selected : std::vector<std::int32_t>();
    const std::int32_t slot = currentSlot ? currentSlot() : 1;
    const std::optional<std::int32_t> chosen =
        prompts_.ChooseDesignSlots(this, slot, static_cast<std::int32_t>(rows.size()), roster_.DesignChanges(rows, slot),
                                   roster_.DesignChanges(rows, cards::kAllSlots));
    if (!chosen) return;
    Finish(roster_.ApplyCurrentDesign(rows, *chosen), std::nullopt);
}

void CRosterDock::Undo() {
    const profile::UndoResult result = roster_.Undo();
    if (result == profile::UndoResult::ChangedElsewhere)
        prompts_.Tell(this, Text("ファイルがほかで変更されたため、元に戻せません。"));
    else if (result == profile::UndoResult::NotWritten)
        prompts_.Tell(this, Text("ファイルに書き込めませんでした。"));
    if (result != profile::UndoResult::Done) return;
    Reload();
    if (changed) changed();
}

void CRosterDock::Redo() {
    const profile::UndoResult result = roster_.Redo();
    if (result == profile::UndoResult::ChangedElsewhere)
        prompts_.Tell(this, Text("ファイルがほかで変更されたため、やり直せません。"));
    else if (result == profile::UndoResult::NotWritten)
        prompts_.Tell(this, Text("ファイルに書き込めませんでした。"));
    if (result != profile::UndoResult::Done) return;
    Reload();
    if (changed) changed();
}

bool MessageBoxPrompts::Confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, Text("ZUL Name Card"), question) == QMessageBox::Yes;
}

std::optional<std::int32_t> MessageBoxPrompts::ChooseDesignSlots(QWidget* parent, std::int32_t slot, std::int32_t people,
                                                                 std::int32_t changesInSlot, std::int32_t changesInAll) {
    const QString whom = people > 0 ? Text("選択した %1 名").arg(people) : Text("全員");
    QMessageBox box(QMessageBox::Question, Text("ZUL Name Card"),
                    Text("今のカードのデザインを%1に適用します。\nこのサイズだけ: %2枚、全サイズ: %3枚のカードが変わります。")
                        .arg(whom)
                        .arg(changesInSlot)
                        .arg(changesInAll),
                    QMessageBox::NoButton, parent);
    QPushButton* thisSize = box.addButton(Text("このサイズ"), QMessageBox::AcceptRole);
    QPushButton* allSizes = box.addButton(Text("全サイズ"), QMessageBox::AcceptRole);
    box.addButton(Text("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == thisSize) return slot;
    if (box.clickedButton() == allSizes) return cards::kAllSlots;
    return std::nullopt;
}

void MessageBoxPrompts::Tell(QWidget* parent, const QString& message) {
    QMessageBox::information(parent, Text("ZUL Name Card"), message);
}
