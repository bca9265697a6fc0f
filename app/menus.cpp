#include "app/menus.h"

namespace {

using K = MenuEntry::Kind;
constexpr CommandOwner kView = CommandOwner::View;
constexpr CommandOwner kFrame = CommandOwner::Frame;
constexpr CommandOwner kApp = CommandOwner::Application;

// The prompts of the framework's standard commands are the program's own wording; the others
// are the program's texts as they always were.
const std::vector<CommandInfo> kCommands = {
    {CommandId::FileNew, "新規作成", 'N', "Ctrl+N", {"Ctrl+N"}, "新しいファイルを作成します", kView},
    {CommandId::FileOpen, "開く", 'O', "Ctrl+O", {"Ctrl+O"}, "ジャンルとファイルを選んで開きます", kView},
    {CommandId::FileSave, "上書き保存", 'S', "Ctrl+S", {"Ctrl+S"}, "作業中のファイルを保存します", kView},
    {CommandId::FileSaveAs, "名前を付けて保存", 'A', "", {}, "作業中のファイルに名前を付けて保存します", kView},
    {CommandId::ExportList, "名簿を書き出し", 'L', "", {}, "名札の内容を表計算用の名簿に書き出します", kView},
    {CommandId::Print, "印刷", 'P', "Ctrl+P", {"Ctrl+P"}, "名札を印刷します", kView},
    {CommandId::PrintPreview, "印刷プレビュー", 'V', "", {}, "印刷されるとおりに表示します", kView},
    {CommandId::PrintSetup, "プリンタの設定", 'R', "", {}, "プリンタと用紙を設定します", kApp},
    {CommandId::Exit, "終了", 'X', "", {}, "プログラムを終了します", kFrame},
    {CommandId::Undo, "アンドゥ", 'U', "Ctrl+Z", {"Ctrl+Z", "Alt+Backspace"}, "直前の操作を元に戻します", kView},
    {CommandId::Redo, "やり直し", 'R', "Ctrl+Y", {"Ctrl+Y"}, "元に戻した操作をやり直します", kView},
    {CommandId::Cut, "切り取り", 'T', "Ctrl+X", {"Ctrl+X", "Shift+Del"}, "選択範囲を切り取ってクリップボードに移します", kView},
    {CommandId::Copy, "コピー", 'C', "Ctrl+C", {"Ctrl+C", "Ctrl+Ins"}, "選択範囲をクリップボードにコピーします", kView},
    {CommandId::Paste, "貼り付け", 'P', "Ctrl+V", {"Ctrl+V", "Shift+Ins"}, "クリップボードの内容を貼り付けます", kView},
    {CommandId::Input, "入力", '\0', "", {}, "各種項目を入力します", kView},
    {CommandId::PrintOrder, "印刷順序", '\0', "", {}, "印刷順序を指定します", kView},
    {CommandId::LabelSizeSettings, "ﾗﾍﾞﾙｻｲｽﾞ設定", '\0', "", {}, "名札のサイズを設定します", kView},
    {CommandId::PrintOptions, "印刷ｵﾌﾟｼｮﾝ", '\0', "", {}, "印刷時の設定", kView},
    {CommandId::GuideLineColor, "補助線色指定", '\0', "", {}, "補助線の色を指定します", kView},
    {CommandId::Fill, "塗りつぶし", '\0', "", {}, "背景の塗りつぶしを指定します", kView},
    {CommandId::AddItem, "項目追加", '\0', "", {}, "印刷項目を追加します", kView},
    {CommandId::ApplyDesign, "デザインを全員に適用", '\0', "", {}, "今のカードのデザインを全員のカードに適用します", kView},
    {CommandId::AlignRight, "右揃え", '\0', "", {}, "名札の右に位置を揃えます", kView},
    {CommandId::AlignCenter, "中央揃え", '\0', "", {}, "名札の中央に位置を揃えます", kView},
    {CommandId::AlignLeft, "左揃え", '\0', "", {}, "名札の左に位置を揃えます", kView},
    {CommandId::AlignTop, "上揃え", '\0', "", {}, "名札の上に位置を揃えます", kView},
    {CommandId::AlignMiddle, "中央", '\0', "", {}, "名札の中央に位置を揃えます", kView},
    {CommandId::AlignBottom, "下揃え", '\0', "", {}, "名札の下に位置を揃えます", kView},
    {CommandId::MoveLeft, "左に", '\0', "←", {"Left"}, "左に1/10インチ移動", kView},
    {CommandId::MoveLeftSmall, "ちょっと左に", '\0', "", {}, "", kView},
    {CommandId::MoveRightSmall, "ちょっと右に", '\0', "", {}, "右に1/100インチ移動", kView},
    {CommandId::MoveRight, "右に", '\0', "→", {"Right"}, "右に1/10インチ移動", kView},
    {CommandId::MoveUp, "上へ", '\0', "↑", {"Up"}, "上へ1/10インチ移動", kView},
    {CommandId::MoveUpSmall, "ちょっと上へ", '\0', "", {}, "上へ1/100インチ移動", kView},
    {CommandId::MoveDownSmall, "ちょっと下へ", '\0', "", {}, "", kView},
    {CommandId::MoveDown, "下へ", '\0', "↓", {"Down"}, "下へ1/10インチ移動", kView},
    {CommandId::MergePrint, "差し込み印刷設定", '\0', "", {}, "差し込み印刷の設定をします", kView},
    {CommandId::Romaji, "読みからローマ字", '\0', "", {}, "読みからローマ字の名前を作り、全員のカードに書き込みます", kView},
    {CommandId::ToggleToolbar, "ツールバー", 'T', "", {}, "ツールバーの表示と非表示を切り替えます", kFrame},
    {CommandId::ToggleStatusBar, "ステータス バー", 'S', "", {}, "ステータス バーの表示と非表示を切り替えます", kFrame},
    {CommandId::ToggleRoster, "名簿", 'L', "", {}, "名簿の表示と非表示を切り替えます", kView},
    {CommandId::SwitchLabel, "ﾗﾍﾞﾙ種類切替", '\0', "", {}, "ラベルの種類を切替えます", kView},
    {CommandId::SwitchCabinet, "ｼﾞｬﾝﾙ切替", '\0', "", {}, "ジャンルを切替えます", kView},
    {CommandId::PreviousPage, "前のページ", '\0', "", {}, "前のページに戻ります", kView},
    {CommandId::NextPage, "次のページ", '\0', "", {}, "次のページに移ります", kView},
    {CommandId::ZoomIn, "拡大", '\0', "Ctrl++", {"Ctrl++", "Ctrl+="}, "表示を拡大します", kView},
    {CommandId::ZoomOut, "縮小", '\0', "Ctrl+-", {"Ctrl+-"}, "表示を縮小します", kView},
    {CommandId::ZoomActualSize, "実寸", '\0', "Ctrl+0", {"Ctrl+0"}, "実際の大きさで表示します", kView},
    {CommandId::ZoomWholePage, "ページ全体", '\0', "", {}, "ページ全体が見えるように表示します", kView},
    {CommandId::ZoomWholeTag, "タグ全体", '\0', "", {}, "名札全体が見えるように表示します", kView},
    {CommandId::HelpIndex, "目次", '\0', "F1", {"F1"}, "ヘルプの目次を表示します", kApp},
    {CommandId::About, "バージョン情報", 'A', "", {}, "ﾌﾟﾛｸﾞﾗﾑ情報､ﾊﾞｰｼﾞｮﾝ､版権の表示", kApp},
    {CommandId::HomePage, "ホームページ", '\0', "", {}, "Tervane Lab.２号館へジャンプします", kView},
    {CommandId::ChooseSheet, "用紙を選ぶ", '\0', "", {}, "ラベル用紙の製品を選んで設定します", kView},
    {CommandId::ExportPdf, "PDFに書き出し", '\0', "", {}, "印刷するページをPDFファイルに書き出します", kView},
    {CommandId::CalibratePrinter, "プリンタの調整", '\0', "", {}, "プリンタの印刷位置のずれを補正します", kApp},
    {CommandId::ImportList, "名簿を取り込み", 'I', "", {}, "表計算の名簿から名札を作ります", kView},
    {CommandId::ChooseDesign, "デザインを選ぶ", '\0', "", {}, "できあがったデザインから選んで名札に適用します", kView},
    {CommandId::SaveDesign, "デザインとして保存", '\0', "", {}, "今のカードのデザインに名前を付けて保存します", kView},
    {CommandId::MakeFromList, "名簿から作成", 'M', "", {}, "名簿からデザインと用紙を選び、名札をまとめて作ります", kView},
    {CommandId::ToggleProperties, "プロパティ", 'P', "", {}, "プロパティの表示と非表示を切り替えます", kView},
    {CommandId::CharacterCheck, "文字チェック", '\0', "", {}, "印刷に気をつける文字（フォントにない文字・外字など）を調べ、置き換えます", kView},
    {CommandId::ExportProof, "校正一覧を書き出し", '\0', "", {}, "全員の名札の内容と気をつける文字の一覧をPDFに書き出します", kView},
    {CommandId::ChooseBackDesign, "裏面のデザイン", '\0', "", {}, "両面印刷で名札の裏に印刷するデザインを選びます", kView},
    {CommandId::CategoryDesigns, "区分ごとのデザイン", '\0', "", {}, "来賓・スタッフなど区分ごとに、デザインと敬称を決めます", kView},
};

// A command as the main menu shows it: with its mnemonic and key text.
MenuEntry Item(CommandId id, bool ellipsis = false) {
    const CommandInfo& info = Command(id);
    MenuEntry entry;
    entry.kind = K::Command;
    entry.command = id;
    entry.caption = std::string(info.caption);
    entry.mnemonic = info.mnemonic;
    entry.ellipsis = ellipsis;
    entry.keyText = std::string(info.keyText);
    return entry;
}

// A command under a caption of its own, as the context menu shows it.
MenuEntry Plain(CommandId id, std::string caption) {
    MenuEntry entry;
    entry.kind = K::Command;
    entry.command = id;
    entry.caption = std::move(caption);
    return entry;
}

MenuEntry Sub(std::string caption, char mnemonic, std::vector<MenuEntry> children) {
    MenuEntry entry;
    entry.kind = K::SubMenu;
    entry.caption = std::move(caption);
    entry.mnemonic = mnemonic;
    entry.children = std::move(children);
    return entry;
}

MenuEntry Separator() { return MenuEntry(); }

MenuEntry RecentFiles() {
    MenuEntry entry;
    entry.kind = K::RecentFiles;
    entry.caption = "以前開いたファイル";
    return entry;
}

bool FindPath(const std::vector<MenuEntry>& entries, CommandId id, std::vector<const MenuEntry*>& path) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == K::Command && entry.command == id) return true;
        if (entry.kind != K::SubMenu) continue;
        path.push_back(&entry);
        if (FindPath(entry.children, id, path)) return true;
        path.pop_back();
    }
    return false;
}

}  // namespace

const std::vector<CommandInfo>& Commands() { return kCommands; }

const CommandInfo& Command(CommandId id) {
    return kCommands.at(static_cast<std::size_t>(id));
}

const std::vector<MenuEntry>& MainMenu() {
    using C = CommandId;
    static const std::vector<MenuEntry> menu = {
        Sub("ﾌｧｲﾙ", 'F',
            {Item(C::FileNew), Item(C::FileOpen, true), Item(C::FileSave), Item(C::FileSaveAs, true),
             Item(C::MakeFromList, true), Item(C::ImportList, true), Item(C::ExportList, true), Separator(),
             Item(C::Print, true), Item(C::PrintPreview), Item(C::ExportPdf, true), Item(C::ExportProof, true), Item(C::PrintSetup, true),
             Item(C::CalibratePrinter, true), Separator(), RecentFiles(),
             Separator(), Item(C::Exit)}),
        Sub("編集", 'E', {Item(C::Undo), Item(C::Redo), Separator(), Item(C::Cut), Item(C::Copy), Item(C::Paste)}),
        Item(C::Input),
        Sub("ｵﾌﾟｼｮﾝ", '\0',
            {Item(C::PrintOrder), Item(C::LabelSizeSettings), Item(C::PrintOptions), Item(C::ChooseSheet),
             Sub("色設定", '\0', {Item(C::GuideLineColor)}), Item(C::Fill), Item(C::AddItem), Item(C::ApplyDesign, true),
              Item(C::ChooseDesign, true), Item(C::SaveDesign, true), Item(C::ChooseBackDesign, true), Item(C::CategoryDesigns, true)}),
        Sub("配置", '\0',
            {Sub("水平", '\0', {Item(C::AlignRight), Item(C::AlignCenter), Item(C::AlignLeft)}),
             Sub("垂直", '\0', {Item(C::AlignTop), Item(C::AlignMiddle), Item(C::AlignBottom)})}),
        Sub("移動", '\0',
            {Sub("水平", '\0',
                 {Item(C::MoveLeft), Item(C::MoveLeftSmall), Item(C::MoveRightSmall), Item(C::MoveRight)}),
             Sub("垂直", '\0', {Item(C::MoveUp), Item(C::MoveUpSmall), Item(C::MoveDownSmall), Item(C::MoveDown)})}),
        Sub("ツール", 'T', {Item(C::MergePrint), Item(C::Romaji, true), Item(C::CharacterCheck, true)}),
        Sub("表示", 'V',
            {Item(C::ToggleToolbar), Item(C::ToggleStatusBar), Item(C::ToggleRoster), Item(C::ToggleProperties), Separator(), Item(C::SwitchLabel),
             Item(C::SwitchCabinet), Separator(), Item(C::PreviousPage), Item(C::NextPage), Separator(),
             Item(C::ZoomIn), Item(C::ZoomOut), Item(C::ZoomActualSize), Item(C::ZoomWholePage), Item(C::ZoomWholeTag)}),
        Sub("ﾍﾙﾌﾟ", 'H', {Item(C::HelpIndex), Item(C::About, true), Separator(), Item(C::HomePage)}),
    };
    return menu;
}

const std::vector<MenuEntry>& ContextMenu() {
    using C = CommandId;
    static const std::vector<MenuEntry> menu = {
        Plain(C::Input, "入力"),
        Sub("ｵﾌﾟｼｮﾝ", '\0',
            {Plain(C::PrintOptions, "印刷設定"), Plain(C::PrintOrder, "印刷順序"),
             Plain(C::LabelSizeSettings, "ﾗﾍﾞﾙｻｲｽﾞ"), Plain(C::AddItem, "項目追加")}),
        Plain(C::Fill, "塗りつぶし"),
        Sub("ツール", '\0', {Plain(C::MergePrint, "差し込み印刷設定")}),
        Plain(C::Print, "印刷"),
    };
    return menu;
}

const std::vector<ToolbarPosition>& FirstToolbar() {
    using C = CommandId;
    static const std::vector<ToolbarPosition> bar = {
        C::FileNew,      C::FileOpen,     C::FileSave,     C::MakeFromList, std::nullopt, C::Cut,   C::Copy,
        C::Paste,        std::nullopt,    C::Input,        std::nullopt, C::PreviousPage,
        C::NextPage,     std::nullopt,    C::PrintPreview, C::Print,     C::About,
    };
    return bar;
}

const std::vector<ToolbarPosition>& SecondToolbar() {
    using C = CommandId;
    static const std::vector<ToolbarPosition> bar = {
        C::MoveLeft,  C::MoveLeftSmall, C::MoveRightSmall, C::MoveRight,    std::nullopt, C::MoveUp,
        C::MoveUpSmall, C::MoveDownSmall, C::MoveDown,     std::nullopt,    C::AlignLeft, C::AlignCenter,
        C::AlignRight, std::nullopt,    C::AlignTop,       C::AlignMiddle,  C::AlignBottom,
    };
    return bar;
}

std::string MenuText(const MenuEntry& entry) {
    std::string text = entry.caption;
    if (entry.mnemonic != '\0') text += std::string("(&") + entry.mnemonic + ")";
    if (entry.ellipsis) text += "...";
    if (!entry.keyText.empty()) text += "\t" + entry.keyText;
    return text;
}

std::string ToolTipText(CommandId id) {
    std::vector<const MenuEntry*> path;
    std::string tip;
    if (FindPath(MainMenu(), id, path)) {
        // The first sub-menu is the menu bar's own; the ones below it tell alike captions apart.
        for (std::size_t level = 1; level < path.size(); ++level) tip += path[level]->caption + " ▸ ";
    }
    return tip + std::string(Command(id).caption);
}
