#pragma once

#include <QTextBrowser>

#include <string>

// The help: the contents page shipped with the program, in a window of its own. Links to other
// pages of the help stay in the window; web addresses open in the desktop's browser.
// The contents page: help/index.html in the program's data folder (store/program_data.h).
std::string ContentsPagePath();

class HelpWindow : public QTextBrowser {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the contents page and brings the window to the front.
    void ShowContents();
};
