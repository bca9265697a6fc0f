#pragma once

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QItemSelection>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "view/roster_model.h"

class QLineEdit;
class QTableView;

// Questions the roster asks before it changes many cards; tests answer them without a screen.
class RosterPrompts {
public:
    virtual ~RosterPrompts() = default;
    virtual bool Confirm(QWidget* parent, const QString& question) = 0;
    // Which slots a design goes to: the current one, all (cards::kAllSlots), or nothing.
    // people: how many cards it goes to, the selection's or everyone's (0).
    virtual std::optional<std::int32_t> ChooseDesignSlots(QWidget* parent, std::int32_t slot, std::int32_t people,
                                                          std::int32_t changesInSlot, std::int32_t changesInAll) = 0;
    virtual void Tell(QWidget* parent, const QString& message) = 0;
};

// The table of the roster: reads each shown cell through RosterModel, so that only what is on
// screen is read.
class RosterTableModel : public QAbstractTableModel {
public:
    explicit RosterTableModel(RosterModel& roster, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Reads the cards again (after any change of the record file).
    void Reload();
    // Shows the texts again, for the same number of cards.
    void RefreshCells();
    // Set before a cell edit is stored: refuses text code page 932 cannot hold, telling why.
    std::function<bool(const QString& typed, std::string& stored)> takeText;
    std::function<void()> changed;

private:
    RosterModel& roster_;
    std::int32_t rows_ = 0;
};

// The roster "名簿": a dock beside the view with the cards of the current record file.
class CRosterDock : public QDockWidget {
public:
    CRosterDock(const SettingsProfile& settings, const RecordProfile& record, std::vector<std::string> userItems,
                RosterPrompts& prompts, QWidget* parent = nullptr);

    RosterModel& Model() { return roster_; }
    QTableView* Table() const { return table_; }
    QLineEdit* SearchField() const { return search_; }

    // What the roster asks of the window: show a card's page, open a card in card mode, redraw
    // after a change, print the cards of the print order, import a participant list, open the
    // design gallery, and the current label slot.
    std::function<void(std::int32_t card)> cardChosen, cardOpened;
    std::function<void()> changed, printRequested, importRequested, designRequested, makeRequested, categoryRequested;
    // A note for the status bar: whom an action on the selection acts on.
    std::function<void(const QString& note)> noted;
    std::function<std::int32_t()> currentSlot;

    // The record file or the items changed: read the table again and select the current card.
    void Reload();
    // After any change anywhere: reads again what changed since the table was last read.
    void Follow();
    void SetUserItems(std::vector<std::string> userItems);

    // The actions of the buttons, the context menu and the keys.
    void Add();
    void Insert();
    void Duplicate();
    void Delete();
    void MoveUp();
    void MoveDown();
    void SortByColumn(int column);
    void Copy();
    void Cut();
    void Paste();
    void PrintSelected();
    // The selected cards the search shows (the current one when none is), in table order, become the print
    // order; false when there are none or it could not be stored.
    bool MakeSelectionThePrintJob();
    // The cards the roster offers as its selection, in table order: none while it is hidden.
    std::vector<std::int32_t> SelectedCards() const;
    std::int32_t SelectedCount() const { return static_cast<std::int32_t>(SelectedCards().size()); }
    void ApplyDesign();
    void ChooseDesign();
    void ChooseCategoryDesigns();
    void ImportList();
    void MakeFromList();
    // "アンドゥ" and "やり直し" of the record file, for the window's commands.
    void Undo();
    void Redo();

private:
    // The selected rows the search shows: a hidden row is never acted on.
    std::vector<std::int32_t> SelectedRows() const;
    // Tells the window whom an action acted on: words with %1 for the number of people.
    void Note(const QString& words, std::size_t people);
    // Takes the rows the search hides out of the table's selection.
    void DropHiddenFromSelection();
    bool AnyHidden(const QItemSelection& ranges) const;
    void SelectCard(std::int32_t card);
    void Filter();
    // After an operation: report a failure, else read the table again, tell the window and turn
    // it to the current card's page.
    void Finish(const cards::Outcome& outcome, std::optional<std::int32_t> select);
    void Build();

    RosterModel roster_;
    RosterPrompts& prompts_;
    RosterTableModel* tableModel_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* search_ = nullptr;
    bool selecting_ = false;
    std::uint64_t shownVersion_ = 0;
};

// The prompts as message boxes.
class MessageBoxPrompts : public RosterPrompts {
public:
    bool Confirm(QWidget* parent, const QString& question) override;
    std::optional<std::int32_t> ChooseDesignSlots(QWidget* parent, std::int32_t slot, std::int32_t people,
                                                  std::int32_t changesInSlot, std::int32_t changesInAll) override;
    void Tell(QWidget* parent, const QString& message) override;
};
