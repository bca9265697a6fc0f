#pragma once

// Every command of the menus, toolbars, keys and context menu.
enum class CommandId {
    // "ﾌｧｲﾙ"
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    ExportList,
    Print,
    PrintPreview,
    PrintSetup,
    Exit,
    // "編集"
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    // "入力"
    Input,
    // "ｵﾌﾟｼｮﾝ"
    PrintOrder,
    LabelSizeSettings,
    PrintOptions,
    GuideLineColor,
    Fill,
    AddItem,
    ApplyDesign,
    // "配置"
    AlignRight,
    AlignCenter,
    AlignLeft,
    AlignTop,
    AlignMiddle,
    AlignBottom,
    // "移動"
    MoveLeft,
    MoveLeftSmall,
    MoveRightSmall,
    MoveRight,
    MoveUp,
    MoveUpSmall,
    MoveDownSmall,
    MoveDown,
    // "ツール(&T)"
    MergePrint,
    Romaji,
    // "表示"
    ToggleToolbar,
    ToggleStatusBar,
    ToggleRoster,
    SwitchLabel,
    SwitchCabinet,
    PreviousPage,
    NextPage,
    ZoomIn,
    ZoomOut,
    ZoomActualSize,
    ZoomWholePage,
    ZoomWholeTag,
    // "ﾍﾙﾌﾟ"
    HelpIndex,
    About,
    HomePage,
    // Added to the menus above later.
    ChooseSheet,  // "ｵﾌﾟｼｮﾝ"
    ExportPdf,         // "ﾌｧｲﾙ"
    CalibratePrinter,  // "ﾌｧｲﾙ"
    ImportList,        // "ﾌｧｲﾙ"
    ChooseDesign,      // "ｵﾌﾟｼｮﾝ"
    SaveDesign,        // "ｵﾌﾟｼｮﾝ"
    MakeFromList,      // "ﾌｧｲﾙ"
    ToggleProperties,  // "表示"
    CharacterCheck,    // "ツール"
    ExportProof,       // "ﾌｧｲﾙ"
    ChooseBackDesign,  // "ｵﾌﾟｼｮﾝ"
    CategoryDesigns,   // "ｵﾌﾟｼｮﾝ"
};

// Where the view's commands go: the frame asks before showing a menu or toolbar whether each
// command is available, and hands it the ones the user chooses.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool IsAvailable(CommandId command) const = 0;
    virtual void Execute(CommandId command) = 0;
};
