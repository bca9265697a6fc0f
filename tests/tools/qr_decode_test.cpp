#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_home.h"

namespace {

// Tags whose name is printed as a QR code, exported to PNG and read back by a real decoder.
class QrDecodeTest : public TempHomeTest {
protected:
    // One record file with a card per text, one tag a page; every card's name is a QR code of
    // `size` at `level`.
    void MakeRecord(const std::vector<std::string>& texts, const std::string& level, int size) const {
        std::string bytes = "[#Setting#]\r\nLabel=1\r\nMax=" + std::to_string(texts.size() - 1) + "\r\nCurID=0\r\n";
        for (std::size_t card = 0; card < texts.size(); ++card) {
            const std::string name = S("氏名");
            bytes += "[000" + std::to_string(card) + "]\r\n" + name + "=" + texts[card] + "\r\n1IsPrint" + name +
                     "=1\r\n1" + name + "QR=1\r\n1" + name + "QRLevel=" + level + "\r\n1" + name +
                     "QRSize=" + std::to_string(size) + "\r\n1" + name + "Xpos=20\r\n1" + name + "Ypos=20\r\n";
        }
        WriteBytes(PathOf("r.ini"), bytes);
        WriteBytes(PathOf("ZULNAME.INI"), "[PrintOptions]\r\n1Column=1\r\n1Line=1\r\n");
    }

    // The texts zbarimg reads from page `page` of the export at `dpi`.
    std::vector<std::string> Decode(int page, int dpi) const {
        const std::string png = PathOf("page.png");
        const ToolOutcome exported = RunTool(ZULNAME_EXPORT_PATH,
                                             {"--record", PathOf("r.ini"), "--format", "png", "--page",
                                              std::to_string(page), "--dpi", std::to_string(dpi), "-o", png},
                                             Home());
        EXPECT_EQ(exported.status, 0) << exported.err;
        const ToolOutcome read = RunTool(ZBARIMG_PATH, {"--quiet", "--raw", "-Sqrcode.enable", png}, Home());
        EXPECT_EQ(read.status, 0) << read.err;
        std::vector<std::string> texts;
        std::istringstream in(read.out);
        for (std::string line; std::getline(in, line);) texts.push_back(line);
        return texts;
    }
};

}  // namespace

TEST_F(QrDecodeTest, PrintedCodesReadBackAsTheirTextIncludingKanji) {
    // Texts as stored (code page 932) and as a phone shows them (UTF-8): a number, an address,
    // a name in kanji with characters outside JIS X 0208 (髙, ①), half-width kana.
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"000123", "000123"},
        {"https://tags.invalid/p?id=42&n=1", "https://tags.invalid/p?id=42&n=1"},
        {S("髙橋 左衛門三郎①"), "髙橋 左衛門三郎①"},
        {S("ﾔﾏﾀﾞ ﾀﾛｳ"), "ﾔﾏﾀﾞ ﾀﾛｳ"},
    };
    std::vector<std::string> stored;
    for (const auto& text : texts) stored.push_back(text.first);
    for (const char* level : {"L", "H"}) {
        MakeRecord(stored, level, 100);
        for (std::size_t page = 0; page < texts.size(); ++page)
            EXPECT_EQ(Decode(static_cast<int>(page) + 1, 300), std::vector<std::string>{texts[page].second})
                << "level " << level << ", page " << page + 1;
    }
}

TEST_F(QrDecodeTest, ASmallCodeAtScreenResolutionStillReads) {
    // 60 hundredths of an inch at 96 dpi: 58 pixels for 29 modules, two pixels or less each.
    MakeRecord({S("受付番号 0042 山田太郎")}, "M", 60);
    EXPECT_EQ(Decode(1, 96), std::vector<std::string>{"受付番号 0042 山田太郎"});
}
