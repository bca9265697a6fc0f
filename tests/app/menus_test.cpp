#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/menus.h"

namespace {

// A menu as one line: entries as the menu shows them, "-" for a separator, sub-menus in braces.
std::string Describe(const std::vector<MenuEntry>& entries) {
    std::string text;
    for (const MenuEntry& entry : entries) {
        if (!text.empty()) text += " | ";
        if (entry.kind == MenuEntry::Kind::Separator) {
            text += "-";
        } else {
            text += MenuText(entry);
            if (entry.kind == MenuEntry::Kind::SubMenu) text += " {" + Describe(entry.children) + "}";
        }
    }
    return text;
}

void CountCommands(const std::vector<MenuEntry>& entries, std::map<CommandId, int>& counts) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command) ++counts[entry.command];
        CountCommands(entry.children, counts);
    }
}

std::vector<std::string> ToolbarDescription(const std::vector<ToolbarPosition>& bar) {
    std::vector<std::string> positions;
    for (const ToolbarPosition& position : bar) positions.push_back(position ? std::string(Command(*position).caption) : "|");
    return positions;
}

}  // namespace

TEST(MenusTest, CommandTableHasOneRowPerCommandInEnumOrder) {
    const auto& commands = Commands();
    ASSERT_EQ(commands.size(), static_cast<std::size_t>(CommandId::CategoryDesigns) + 1);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(commands[i].id), i) << commands[i].caption;
        EXPECT_EQ(&Command(commands[i].id), &commands[i]);
    }
}

TEST(MenusTest, MenuBarShowsTheMenusInOrderWithTheirMnemonics) {
    std::vector<std::string> captions;
    for (const MenuEntry& entry : MainMenu()) captions.push_back(MenuText(entry));
    const std::vector<std::string> expected = {"ﾌｧｲﾙ(&F)", "編集(&E)",   "入力",     "ｵﾌﾟｼｮﾝ",  "配置",
                                               "移動",     "ツール(&T)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"};
    EXPECT_EQ(captions, expected);
    // "入力" is a command of its own on the menu bar.
    EXPECT_EQ(MainMenu()[2].kind, MenuEntry::Kind::Command);
    EXPECT_EQ(MainMenu()[2].command, CommandId::Input);
}

TEST(MenusTest, EachMenuListsItsItemsInOrder) {
    const auto& menu = MainMenu();
    EXPECT_EQ(Describe(menu[0].children),
              "新規作成(&N)\tCtrl+N | 開く(&O)...\tCtrl+O | 上書き保存(&S)\tCtrl+S | 名前を付けて保存(&A)... | "
              "名簿から作成(&M)... | 名簿を取り込み(&I)... | 名簿を書き出し(&L)... | - | "
              "印刷(&P)...\tCtrl+P | 印刷プレビュー(&V) | PDFに書き出し... | 校正一覧を書き出し... | プリンタの設定(&R)... | プリンタの調整... | - | "
              "以前開いたファイル | - | 終了(&X)");
    EXPECT_EQ(menu[0].children[15].kind, MenuEntry::Kind::RecentFiles);
    EXPECT_EQ(Describe(menu[1].children), "アンドゥ(&U)\tCtrl+Z | やり直し(&R)\tCtrl+Y | - | 切り取り(&T)\tCtrl+X | コピー(&C)\tCtrl+C | "
                                          "貼り付け(&P)\tCtrl+V");
    EXPECT_EQ(Describe(menu[3].children),
              "印刷順序 | ﾗﾍﾞﾙｻｲｽﾞ設定 | 印刷ｵﾌﾟｼｮﾝ | 用紙を選ぶ | 色設定 {補助線色指定} | 塗りつぶし | 項目追加 | デザインを全員に適用... | "
              "デザインを選ぶ... | デザインとして保存... | 裏面のデザイン... | 区分ごとのデザイン...");
    EXPECT_EQ(Describe(menu[4].children), "水平 {右揃え | 中央揃え | 左揃え} | 垂直 {上揃え | 中央 | 下揃え}");
    EXPECT_EQ(Describe(menu[5].children),
              "水平 {左に\t← | ちょっと左に | ちょっと右に | 右に\t→} | "
              "垂直 {上へ\t↑ | ちょっと上へ | ちょっと下へ | 下へ\t↓}");
    EXPECT_EQ(Describe(menu[6].children), "差し込み印刷設定 | 読みからローマ字... | 文字チェック...");
    EXPECT_EQ(Describe(menu[7].children),
              "ツールバー(&T) | ステータス バー(&S) | 名簿(&L) | プロパティ(&P) | - | ﾗﾍﾞﾙ種類切替 | ｼﾞｬﾝﾙ切替 | - | 前のページ | 次のページ | - | "
              "拡大\tCtrl++ | 縮小\tCtrl+- | 実寸\tCtrl+0 | ページ全体 | タグ全体");
    EXPECT_EQ(Describe(menu[8].children), "目次\tF1 | バージョン情報(&A)... | - | ホームページ");
}

TEST(MenusTest, EveryCommandIsOnTheMainMenuExactlyOnce) {
    std::map<CommandId, int> counts;
    CountCommands(MainMenu(), counts);
    for (const CommandInfo& info : Commands()) EXPECT_EQ(counts[info.id], 1) << info.caption;
}

TEST(MenusTest, ContextMenuNamesItsCommandsItsOwnWay) {
    EXPECT_EQ(Describe(ContextMenu()),
              "入力 | ｵﾌﾟｼｮﾝ {印刷設定 | 印刷順序 | ﾗﾍﾞﾙｻｲｽﾞ | 項目追加} | 塗りつぶし | ツール {差し込み印刷設定} | 印刷");
    std::map<CommandId, int> counts;
    CountCommands(ContextMenu(), counts);
    const std::map<CommandId, int> expected = {{CommandId::Input, 1},      {CommandId::PrintOptions, 1},
                                               {CommandId::PrintOrder, 1}, {CommandId::LabelSizeSettings, 1},
                                               {CommandId::AddItem, 1},    {CommandId::Fill, 1},
                                               {CommandId::MergePrint, 1}, {CommandId::Print, 1}};
    EXPECT_EQ(counts, expected);
}

TEST(MenusTest, ToolbarsHaveTheirPositionsInOrder) {
    const std::vector<std::string> first = {"新規作成", "開く",       "上書き保存", "名簿から作成", "|",        "切り取り", "コピー",
                                            "貼り付け", "|",          "入力",       "|",        "前のページ",
                                            "次のページ", "|",        "印刷プレビュー", "印刷", "バージョン情報"};
    EXPECT_EQ(ToolbarDescription(FirstToolbar()), first);
    const std::vector<std::string> second = {"左に", "ちょっと左に", "ちょっと右に", "右に", "|",
                                             "上へ", "ちょっと上へ", "ちょっと下へ", "下へ", "|",
                                             "左揃え", "中央揃え", "右揃え", "|",
                                             "上揃え", "中央", "下揃え"};
    EXPECT_EQ(ToolbarDescription(SecondToolbar()), second);
}

TEST(MenusTest, StatusPromptsAreTheProgramsTexts) {
    const std::map<CommandId, std::string> prompts = {
        {CommandId::About, "ﾌﾟﾛｸﾞﾗﾑ情報､ﾊﾞｰｼﾞｮﾝ､版権の表示"},
        {CommandId::HelpIndex, "ヘルプの目次を表示します"},
        {CommandId::Input, "各種項目を入力します"},
        {CommandId::PrintOptions, "印刷時の設定"},
        {CommandId::PrintOrder, "印刷順序を指定します"},
        {CommandId::LabelSizeSettings, "名札のサイズを設定します"},
        {CommandId::GuideLineColor, "補助線の色を指定します"},
        {CommandId::Fill, "背景の塗りつぶしを指定します"},
        {CommandId::AddItem, "印刷項目を追加します"},
        {CommandId::MergePrint, "差し込み印刷の設定をします"},
        {CommandId::ExportList, "名札の内容を表計算用の名簿に書き出します"},
        {CommandId::HomePage, "Tervane Lab.２号館へジャンプします"},
        {CommandId::SwitchCabinet, "ジャンルを切替えます"},
        {CommandId::SwitchLabel, "ラベルの種類を切替えます"},
        {CommandId::PreviousPage, "前のページに戻ります"},
        {CommandId::NextPage, "次のページに移ります"},
        {CommandId::MoveLeft, "左に1/10インチ移動"},
        {CommandId::MoveRightSmall, "右に1/100インチ移動"},
        {CommandId::MoveRight, "右に1/10インチ移動"},
        {CommandId::MoveUp, "上へ1/10インチ移動"},
        {CommandId::MoveUpSmall, "上へ1/100インチ移動"},
        {CommandId::MoveDown, "下へ1/10インチ移動"},
        {CommandId::AlignLeft, "名札の左に位置を揃えます"},
        {CommandId::AlignCenter, "名札の中央に位置を揃えます"},
        {CommandId::AlignRight, "名札の右に位置を揃えます"},
        {CommandId::AlignTop, "名札の上に位置を揃えます"},
        {CommandId::AlignMiddle, "名札の中央に位置を揃えます"},
        {CommandId::AlignBottom, "名札の下に位置を揃えます"},
        {CommandId::MoveLeftSmall, ""},
        {CommandId::MoveDownSmall, ""},
    };
    for (const auto& [id, prompt] : prompts) EXPECT_EQ(Command(id).prompt, prompt) << Command(id).caption;
}

TEST(MenusTest, KeysAndOwners) {
    using Keys = std::vector<std::string_view>;
    EXPECT_EQ(Command(CommandId::MoveLeft).keys, Keys{"Left"});
    EXPECT_EQ(Command(CommandId::MoveRight).keys, Keys{"Right"});
    EXPECT_EQ(Command(CommandId::MoveUp).keys, Keys{"Up"});
    EXPECT_EQ(Command(CommandId::MoveDown).keys, Keys{"Down"});
    EXPECT_EQ(Command(CommandId::HelpIndex).keys, Keys{"F1"});
    EXPECT_EQ(Command(CommandId::Paste).keys, (Keys{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(Command(CommandId::Cut).keys, (Keys{"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(Command(CommandId::Undo).keys, (Keys{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_TRUE(Command(CommandId::MoveLeftSmall).keys.empty());
    // "=" is "+" without Shift on keyboards that have both on one key.
    EXPECT_EQ(Command(CommandId::ZoomIn).keys, (Keys{"Ctrl++", "Ctrl+="}));
    EXPECT_EQ(Command(CommandId::ZoomOut).keys, Keys{"Ctrl+-"});
    EXPECT_EQ(Command(CommandId::ZoomActualSize).keys, Keys{"Ctrl+0"});

    for (const CommandInfo& info : Commands()) {
        CommandOwner expected = CommandOwner::View;
        if (info.id == CommandId::Exit || info.id == CommandId::ToggleToolbar || info.id == CommandId::ToggleStatusBar) {
            expected = CommandOwner::Frame;
        } else if (info.id == CommandId::About || info.id == CommandId::PrintSetup || info.id == CommandId::HelpIndex ||
                   info.id == CommandId::CalibratePrinter) {
            expected = CommandOwner::Application;
        }
        EXPECT_EQ(info.owner, expected) << info.caption;
    }
}

TEST(MenusTest, ToolTipsNameTheSubMenuBelowTheMenuBar) {
    EXPECT_EQ(ToolTipText(CommandId::FileOpen), "開く");
    EXPECT_EQ(ToolTipText(CommandId::AlignCenter), "水平 ▸ 中央揃え");
    EXPECT_EQ(ToolTipText(CommandId::AlignMiddle), "垂直 ▸ 中央");
    EXPECT_EQ(ToolTipText(CommandId::MoveDownSmall), "垂直 ▸ ちょっと下へ");
    EXPECT_EQ(ToolTipText(CommandId::Input), "入力");
    EXPECT_EQ(ToolTipText(CommandId::GuideLineColor), "色設定 ▸ 補助線色指定");
}
