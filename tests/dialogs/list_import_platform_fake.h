#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/list_import_model.h"

// Answers the file chooser and the question about unstorable text with preset choices, and keeps
// every message and report shown.
class FakeListImportPlatform : public ListImportPlatform {
public:
    std::optional<std::string> ChooseListFile(const std::string& folder) override {
        startFolders.push_back(folder);
        return chosenFile;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ShowReport(const std::string& text) override { reports.push_back(text); }
    std::optional<UnencodablePolicy> AskUnencodable(const std::string& listing) override {
        listings.push_back(listing);
        return unencodableChoice;
    }
    bool Progress(double share) override {
        progress.push_back(share);
        return true;
    }

    std::optional<std::string> chosenFile;
    std::optional<UnencodablePolicy> unencodableChoice;
    std::vector<std::string> startFolders, messages, reports, listings;
    std::vector<double> progress;
};
