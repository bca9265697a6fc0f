#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include <filesystem>
#include <vector>

#include "dialogs/qt/pdf_export_dialog.h"
#include "export/export_output.h"
#include "tests/dialogs/drive.h"
#include "tests/dialogs/input_dialog_fixture.h"
#include "view/qt/pdf_export.h"

namespace {

// The view on r.ini, whose one card 山田 prints its name.
class PdfExportTest : public InputDialogFixture {
protected:
    PdfExportTest() {
        Store("0000", "1IsPrint" + N, "1");
        view.Start();
    }
    // A file chooser that answers with a file of the test's home, noting what it suggested.
    PdfFileChooser Chooser(const std::optional<std::string>& name) {
        return [this, name](const std::string& offered) -> std::optional<std::string> {
            suggested = offered;
            if (!name) return std::nullopt;
            return PathOf(*name);
        };
    }
    std::string suggested;
};

}  // namespace

TEST_F(PdfExportTest, ThePrintJobGoesToAPdfTitledWithTheRecordFile) {
    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PDFに書き出し"));
        EXPECT_EQ(FindChild<QRadioButton>(dialog, "allPages")->text(), QStringLiteral("すべてのページ (1ページ)"));
        EXPECT_FALSE(FindChild<QLineEdit>(dialog, "from")->isEnabled());
        ClickButton(dialog, "ok");
    });
    const std::optional<WrittenOutput> written = RunPdfExport(nullptr, view, Chooser("tags.pdf"));
    ASSERT_TRUE(written) << "what was written goes to the status bar";
    EXPECT_EQ(written->pdf, PathOf("tags.pdf"));
    EXPECT_EQ(written->pages, 1);
    EXPECT_EQ(suggested.substr(suggested.rfind('/')), "/r.pdf");
    const std::string pdf = ReadBytes(PathOf("tags.pdf"));
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos) << "A4 at true size";
    EXPECT_NE(pdf.find(std::string("/Title (\xfe\xff\x00r)", 12)), std::string::npos) << "titled r";
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos) << "the font is embedded";
}

TEST_F(PdfExportTest, ARangeOutsideThePagesIsRefusedAndCancellingWritesNothing) {
    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) {
        ClickButton(dialog, "range");
        EXPECT_TRUE(FindChild<QLineEdit>(dialog, "from")->isEnabled());
        Retype(dialog, "to", QStringLiteral("2"));
        WhenModalOpens<QMessageBox>([](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("ページは 1～1 の範囲で、始めを終わり以下にしてください。"));
            box.accept();
        });
        ClickButton(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for a better range";
        ClickButton(dialog, "cancel");
    });
    RunPdfExport(nullptr, view, Chooser("never.pdf"));
    EXPECT_EQ(suggested, "") << "no file is asked for";

    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) { ClickButton(dialog, "ok"); });
    EXPECT_FALSE(RunPdfExport(nullptr, view, Chooser(std::nullopt)));
    EXPECT_FALSE(std::filesystem::exists(PathOf("never.pdf")));
}

TEST_F(PdfExportTest, TheRostersSelectedCardsAreMadeThePrintJobAndWritten) {
    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) {
        EXPECT_TRUE(FindChild<QRadioButton>(dialog, "selectedCards")->isHidden()) << "no roster selection";
        ClickButton(dialog, "cancel");
    });
    RunPdfExport(nullptr, view, Chooser("never.pdf"));

    int made = 0;
    const PdfCardSelection selection{1, [&made] {
                                         ++made;
                                         return true;
                                     }};
    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) {
        auto* selected = FindChild<QRadioButton>(dialog, "selectedCards");
        EXPECT_FALSE(selected->isHidden());
        EXPECT_EQ(selected->text(), QStringLiteral("選択したカード (1枚)"));
        ClickButton(dialog, "selectedCards");
        ClickButton(dialog, "ok");
    });
    RunPdfExport(nullptr, view, Chooser("selected.pdf"), selection);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(ReadBytes(PathOf("selected.pdf")).rfind("%PDF", 0), 0u);

    // Cancelled at the file name: the print job stays as it was.
    WhenModalOpens<CPdfExportDlg>([](CPdfExportDlg& dialog) {
        ClickButton(dialog, "selectedCards");
        ClickButton(dialog, "ok");
    });
    RunPdfExport(nullptr, view, Chooser(std::nullopt), selection);
    EXPECT_EQ(made, 1);
}

TEST_F(PdfExportTest, AWriteStoppedByItsProgressKeepsThePreviousPdfAndLeavesNoTemporaryFile) {
    std::filesystem::create_directories(PathOf("out"));
    const std::string output = PathOf("out/tags.pdf");
    WriteBytes(output, "the previous PDF");
    export_tool::Job job = export_tool::PrintJob(view.State(), 300, {1, 1, 1});
    job.output = output;
    std::vector<std::size_t> told;
    job.progress = [&told](std::size_t done) {
        told.push_back(done);
        return done < 2;
    };
    EXPECT_EQ(export_tool::WritePdf(export_tool::SheetPages(view.State()), job), "cancelled");
    EXPECT_EQ(told, (std::vector<std::size_t>{1, 2})) << "told after each page, stopped at the second";
    EXPECT_EQ(ReadBytes(output), "the previous PDF");
    for (const auto& entry : std::filesystem::directory_iterator(PathOf("out"))) EXPECT_EQ(entry.path(), output);
}
