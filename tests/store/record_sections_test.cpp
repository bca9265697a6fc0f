#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "store/profile_value.h"
#include "store/record_sections.h"
#include "tests/support/temp_home.h"

namespace {

class RecordSectionsTest : public TempHomeTest {};

std::string Value(const profile::ProfileDocument& doc, std::string_view section, std::string_view key) {
    return profile::StringResult(doc.Find(section, key), "(missing)");
}

}  // namespace

TEST_F(RecordSectionsTest, KeepsTheSettingsAndTheWantedCardsAsTheWholeFileReadsThem) {
    // A key before any header, CR-only and LF-only line ends, a padded header, a bracket inside
    // a name, a card header split across the reader's pieces (a long line first).
    const std::string file = "top=1\r\n[#Setting#]\rMax=2\rCurID=1\n  [ 0000 ]  \r\nk=a\r\n[x]y]\r\nz=1\r\n"
                             "[0001]\r\nk=" + std::string(70000, 'b') + "\r\n[0002]\r\nk=c\r\n[Print]\r\nOrder=0,2\r\n[0001]\r\nk=late";
    WriteBytes(PathOf("record.ini"), file);
    RecordSections read;
    ASSERT_EQ(ReadRecordSections(PathOf("record.ini"), 1 << 20, [](std::int32_t card) { return card == 2; }, read), 0);
    EXPECT_EQ(read.highestCard, 2);
    EXPECT_EQ(read.doc.Serialize().rfind("top=1\r\n[#Setting#]\rMax=2\r", 0), 0u);
    EXPECT_EQ(Value(read.doc, "#Setting#", "CurID"), "1");
    EXPECT_EQ(Value(read.doc, "x]y", "z"), "1");
    EXPECT_EQ(Value(read.doc, "Print", "Order"), "0,2");
    EXPECT_EQ(Value(read.doc, "0002", "k"), "c");
    EXPECT_EQ(Value(read.doc, "0000", "k"), "(missing)");
    EXPECT_EQ(Value(read.doc, "0001", "k"), "(missing)");
    EXPECT_LT(read.doc.HeldBytes(), 200u);

    ASSERT_EQ(ReadRecordSections(PathOf("record.ini"), 1 << 20, [](std::int32_t card) { return card == 1; }, read), 0);
    EXPECT_EQ(Value(read.doc, "0001", "k"), std::string(259, 'b'));  // the first section of the name
    EXPECT_EQ(ReadRecordSections(PathOf("missing.ini"), 1 << 20, [](std::int32_t) { return true; }, read), ENOENT);
}
