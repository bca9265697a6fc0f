#include "lists/temporary_record.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "lists/card_import.h"
#include "store/atomic_file.h"
#include "store/card_deck.h"
#include "store/profile_service.h"

TemporaryRecord::~TemporaryRecord() { Remove(); }

void TemporaryRecord::Remove() {
    // Nobody undoes a temporary file: its history would only hold memory until the program ends.
    if (!fsPath_.empty()) profile::ProfileService::Instance().ForgetUndo(fsPath_);
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
    fsPath_.clear();
}

bool TemporaryRecord::Make(const std::string& sourceFsPath, const ImportPlan& plan,
                           const std::optional<cards::Design>& design, std::string& problem) {
    Remove();
    std::string pattern = (std::filesystem::temp_directory_path() / "zulname-list-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        problem = "cannot make a temporary folder";
        return false;
    }
    folder_ = pattern;
    fsPath_ = (std::filesystem::path(folder_) / std::filesystem::path(sourceFsPath).filename()).string();
    // Every section of the record file but its cards; the people print in list order from the
    // first, so the print order and the current card start afresh.
    profile::ProfileDocument copy;
    {
        const profile::ProfileDocument& doc = profile::ProfileService::Instance().Document(sourceFsPath);
        std::string settingsOnly;
        for (std::size_t section = 0; section < doc.SectionCount(); ++section) {
            if (cards::CardNumberOf(doc.SectionName(section))) continue;
            settingsOnly += doc.HeaderContent(section);
            settingsOnly += doc.HeaderLineEnd(section);
            doc.AppendBody(section, settingsOnly);
        }
        copy = profile::ProfileDocument::Parse(std::move(settingsOnly));
    }
    copy.Set("Current", "PrintOrder", "");
    copy.Set("#Setting#", "CurID", "0");
    if (!ReplaceFileAtomically(fsPath_, copy.Serialize())) {
        problem = "cannot write the temporary record file " + fsPath_;
        return false;
    }

    const SettingsProfile settings;
    const std::vector<std::string> items = ItemListUtf8(settings);
    ImportPlan known = plan;
    for (PlannedCard& card : known.cards)
        card.texts.erase(std::remove_if(card.texts.begin(), card.texts.end(),
                                        [&](const auto& entry) {
                                            return std::find(items.begin(), items.end(), entry.first) == items.end();
                                        }),
                         card.texts.end());
    if (!ImportIntoRecord(settings, fsPath_, known, ImportMode::Replace, design).written) {
        problem = "cannot write the temporary record file " + fsPath_;
        return false;
    }
    return true;
}
