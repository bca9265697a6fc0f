#pragma once

#include <QApplication>
#include <QTranslator>

#include <memory>

#include "app/qt/rozudezi_doc.h"
#include "store/items.h"
#include "view/commands.h"

class FileFailureMessages;
class HelpWindow;
class QPrinter;

// The application object: the program's start, the user-defined items, the printer the program
// prints on, and the application commands (About, printer set-up, help).
class CRozudeziApp : public QApplication, public CommandTarget {
public:
    // Dialogs get their grey background here, and Windows font names their Linux fonts.
    CRozudeziApp(int& argc, char** argv);
    ~CRozudeziApp() override;

    // Runs the start of the program (app/startup.h) with its messages in message boxes. False:
    // the program must end at once.
    bool Initialise();

    UserItemList& UserItems() { return userItems_; }
    // The printer set up with "プリンタの設定" and printed on by the view.
    QPrinter& Printer() { return *printer_; }

    bool IsAvailable(CommandId command) const override;
    void Execute(CommandId command) override;

private:
    void ShowAbout();
    void SetUpPrinter();
    void ShowHelp();

    QTranslator qtTranslations_;
    std::unique_ptr<FileFailureMessages> failureMessages_;
    UserItemList userItems_;
    std::unique_ptr<QPrinter> printer_;
    CRozudeziDoc document_;
    std::unique_ptr<HelpWindow> help_;
};
