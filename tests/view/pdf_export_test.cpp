#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "dialogs/list_to_tags_model.h"
#include "dialogs/qt/pdf_export_dialog.h"
#include "export/export_output.h"
#include "sheets/catalogue.h"
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

// "名簿から作成" as a user goes through it: the list file, then what each step offers.
class ListUser : public ListToTagsPlatform {
public:
    std::optional<std::string> ChooseListFile(const std::string&) override { return list; }
    void ShowMessage(const std::string&) override {}
    void ShowReport(const std::string&) override {}
    std::optional<UnencodablePolicy> AskUnencodable(const std::string&) override { return std::nullopt; }
    bool Progress(double) override { return true; }
    std::optional<std::string> AskSheetName() override { return std::nullopt; }

    std::string list;
};

// The lines of text of a PDF as a reader extracts them.
std::vector<std::string> PdfLines(const std::string& pdf) {
    const std::string command = std::string(POPPLER_FOLDER) + "/pdftotext -raw '" + pdf + "' -";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    for (std::size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, n);
    std::replace(text.begin(), text.end(), '\f', '\n');  // between pages
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The first page of a PDF as a reader shows it, at a low resolution.
QImage FirstPdfPage(const std::string& pdf, const std::string& png) {
    const std::string command = std::string(POPPLER_FOLDER) + "/pdftoppm -r 20 -f 1 -l 1 -singlefile -png '" + pdf + "' '" +
                                png.substr(0, png.size() - 4) + "'";
    return std::system(command.c_str()) == 0 ? QImage(QString::fromStdString(png)) : QImage();
}

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

TEST_F(PdfExportTest, TheWizardsPdfPrintsEveryPersonOnTheDesignChosen) {
    std::string csv = S("氏名,所属\r\n");
    for (int n = 1; n <= 12; ++n) csv += S("参加者" + std::to_string(n) + ",本社\r\n");
    WriteBytes(PathOf("list.csv"), csv);
    sheets::SheetCatalogue catalogue;
    catalogue.Load(sheets::DefaultSources());
    ListUser user;
    user.list = PathOf("list.csv");
    ListToTagsModel wizard(catalogue, view.Settings(), view.Record(), user);
    wizard.OnOpen();
    wizard.OnBrowse();
    wizard.OnNext();
    const auto guests = std::find_if(wizard.designs.begin(), wizard.designs.end(),
                                     [](const DesignRow& row) { return row.name == "来賓 (赤)"; });
    ASSERT_NE(guests, wizard.designs.end());
    ASSERT_NE(guests, wizard.designs.begin()) << "the gallery's first would pass unnoticed";
    wizard.OnDesignChosen(static_cast<int>(guests - wizard.designs.begin()));
    wizard.OnNext();
    ASSERT_TRUE(wizard.OnFinish(ListToTagsModel::Then::ExportPdf));
    view.OpenRecordFileAt(view.Record().Path());

    const std::optional<WrittenOutput> written = ExportAllPagesToPdf(nullptr, view, Chooser("tags.pdf"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->pages, 2);
    const std::vector<std::string> lines = PdfLines(PathOf("tags.pdf"));
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(std::count(lines.begin(), lines.end(), "参加者" + std::to_string(n)), 1) << n;
    // The design's red band behind the company, (176, 24, 32), is on the page.
    const QImage page = FirstPdfPage(PathOf("tags.pdf"), PathOf("page.png"));
    ASSERT_FALSE(page.isNull());
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            red += std::abs(pixel.red() - 176) < 12 && std::abs(pixel.green() - 24) < 12 && std::abs(pixel.blue() - 32) < 12;
        }
    EXPECT_GT(red, 100);
}
