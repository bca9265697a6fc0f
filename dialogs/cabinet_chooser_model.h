#pragma once

#include <optional>
#include <string>
#include <vector>

// The cabinet chooser: one of the eight cabinets, from a sorted list.
class CabinetChooserModel {
public:
    // preset: the cabinet to select at opening (stored text, may be empty).
    explicit CabinetChooserModel(std::string preset);

    // Fields exchanged with the controls.
    std::vector<std::string> entries;  // the list, sorted
    int selection = -1;                // index into entries, -1 for none

    void OnOpen();
    void OnSelect(int index);
    // These return true when the dialog closes with the choice.
    bool OnDoubleClick(int index);
    bool OnOk();
    // Escape or closing the window.
    void OnCancel();

    // The chosen cabinet once the dialog has closed with OK.
    const std::optional<std::string>& Result() const { return result_; }

private:
    std::string preset_;
    std::optional<std::string> result_;
};
