#include "dialogs/print_order_model.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_home.h"

namespace {

using Entries = std::vector<std::string>;

class PrintOrderModelTest : public TempHomeTest {
protected:
    PrintOrderModelTest() { record.SetPath(Home() + "/r.ini"); }

    // Cards 0000 山田, 0001 without a name and 0002 佐藤, and the print order given.
    void Open(const std::string& order = "") {
        WriteBytes(PathOf("r.ini"), "[#Setting#]\r\nMax=2\r\n[Current]\r\nPrintOrder=" + order + "\r\n[0000]\r\n" + N +
                                        "=" + S("山田") + "\r\n[0001]\r\n[0002]\r\n" + N + "=" + S("佐藤") + "\r\n");
        model.OnOpen();
    }
    std::string StoredOrder() const { return record.ReadFullString("Current", "PrintOrder", "(none)"); }

    const std::string N = S("氏名");
    const std::string yamada = "0000|" + S("山田");
    const std::string sato = "0002|" + S("佐藤");
    RecordProfile record;
    PrintOrderModel model{record};
};

}  // namespace

TEST_F(PrintOrderModelTest, WithoutAnOrderEveryNamedCardIsRegistered) {
    Open();
    EXPECT_EQ(model.registered, (Entries{yamada, sato}));
    EXPECT_TRUE(model.order.empty());
    EXPECT_TRUE(model.moveAllEnabled);
    EXPECT_FALSE(model.returnAllEnabled);
}

TEST_F(PrintOrderModelTest, TheStoredOrderOpensWithRepeatsAndWithoutCardsThatHaveNoName) {
    Open("0002|0001||0002|");
    EXPECT_EQ(model.order, (Entries{sato, sato}));
    EXPECT_EQ(model.registered, (Entries{yamada}));
    EXPECT_TRUE(model.returnAllEnabled);
}

TEST_F(PrintOrderModelTest, MovingSelectedCardsAndOkStoresTheirSections) {
    Open();
    model.registeredSelection = {1};
    model.OnMove();
    EXPECT_EQ(model.order, (Entries{sato}));
    EXPECT_EQ(model.registered, (Entries{yamada}));
    EXPECT_TRUE(model.registeredSelection.empty());
    model.OnOk();
    EXPECT_EQ(StoredOrder(), "0002|");
}

TEST_F(PrintOrderModelTest, DoubleClickingPutsTheSameCardInTheOrderAgain) {
    Open();
    model.OnRegisteredDoubleClick(0);
    model.OnRegisteredDoubleClick(0);
    EXPECT_EQ(model.registered, (Entries{yamada, sato}));
    model.OnOk();
    EXPECT_EQ(StoredOrder(), "0000|0000|");
}

TEST_F(PrintOrderModelTest, MovingAllAndBackKeepsTheRegisteredListSortedWithoutDuplicates) {
    Open("0000|");
    model.OnReturnAll();
    model.OnRegisteredDoubleClick(1);
    model.OnMoveAll();
    EXPECT_EQ(model.order, (Entries{sato, yamada, sato}));
    EXPECT_TRUE(model.registered.empty());
    EXPECT_FALSE(model.moveAllEnabled);

    model.orderSelection = {2, 0};
    model.OnReturn();
    EXPECT_EQ(model.order, (Entries{yamada}));
    EXPECT_EQ(model.registered, (Entries{sato}));

    model.OnReturnAll();
    EXPECT_EQ(model.registered, (Entries{yamada, sato}));
    EXPECT_TRUE(model.order.empty());
    EXPECT_TRUE(model.moveAllEnabled);
    EXPECT_FALSE(model.returnAllEnabled);
    model.OnOk();
    EXPECT_EQ(StoredOrder(), "") << "an empty order: every named card prints";
}

TEST_F(PrintOrderModelTest, AnOrderLongerThanAnOrdinaryReadIsKeptWhole) {
    std::string bytes = "[#Setting#]\r\nMax=69\r\n";
    std::string order;
    for (int card = 0; card < 70; ++card) {
        char section[8];
        std::snprintf(section, sizeof section, "%.4d", card);
        bytes += "[" + std::string(section) + "]\r\n" + N + "=N\r\n";
        order = std::string(section) + "|" + order;  // last card first
    }
    WriteBytes(PathOf("r.ini"), bytes + "[Current]\r\nPrintOrder=" + order + "\r\n");
    model.OnOpen();
    ASSERT_EQ(model.order.size(), 70u);
    EXPECT_EQ(model.order.back(), "0000|N");
    EXPECT_TRUE(model.registered.empty());
    model.OnOk();
    EXPECT_EQ(StoredOrder(), order);
}
