#include "dialogs/list_export.h"

#include <gtest/gtest.h>

#include "lists/list_file.h"
#include "tests/support/temp_home.h"

namespace {

class ListExportTest : public TempHomeTest {
protected:
    ListExportTest() {
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=2\r\n[0000]\r\n" + S("氏名") + "=" + S("山田") + "\r\n" + S("所属") +
                                        "=" + S("本社, 東京") + "\r\n[0001]\r\n[0002]\r\n" + S("氏名") + "=" + S("髙橋①") +
                                        "\r\n");
    }
    SettingsProfile settings;
};

}  // namespace

TEST_F(ListExportTest, EveryChoiceWritesTheNamedCardsUnderTheItemNames) {
    for (const ListExportChoice& choice : ListExportChoices()) {
        SCOPED_TRACE(choice.filter);
        const std::string message = ExportRecordAsList(settings, PathOf("r.ini"), PathOf("名簿"), choice);
        const std::string written = PathOf(std::string("名簿") + choice.suffix);
        EXPECT_EQ(message, std::string("2 人分を書き出しました: 名簿") + choice.suffix);
        ListFile list;
        ListError error;
        ASSERT_TRUE(ReadListFile(written, {}, list, error)) << error.message;
        ASSERT_EQ(list.table.rows.size(), 3u);  // the card without texts is left out
        EXPECT_EQ(list.table.rows[0].cells[0], "氏名");
        EXPECT_EQ(list.table.rows[0].cells[7], "その他4");
        EXPECT_EQ(list.table.rows[1].cells[2], "本社, 東京");
        EXPECT_EQ(list.table.rows[2].cells[0], "髙橋①");
    }
    // The Shift_JIS choice wrote 名簿.csv last, without a byte-order mark.
    EXPECT_EQ(ReadBytes(PathOf("名簿.csv")).substr(0, 4), S("氏名"));
}

TEST_F(ListExportTest, AGivenSuffixIsKeptAndAFailureIsTold) {
    const ListExportChoice& csv = ListExportChoices()[0];
    EXPECT_EQ(ExportRecordAsList(settings, PathOf("r.ini"), PathOf("out.txt"), csv), "2 人分を書き出しました: out.txt");
    EXPECT_EQ(ExportRecordAsList(settings, PathOf("r.ini"), PathOf("none/out.csv"), csv),
              "「" + PathOf("none/out.csv") + "」に書き込めません。保存先のフォルダーがありません。");
}

TEST_F(ListExportTest, TheChooserStartsOnTheRecordFilesNameInTheFolderOfLists) {
    const std::string suggested = SuggestedListFile(PathOf("差し込み"), PathOf("Always/受付.ini"));
    EXPECT_EQ(suggested, PathOf("差し込み/受付")) << "no extension: the chosen format adds its own";
}
