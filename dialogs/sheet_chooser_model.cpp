#include "dialogs/sheet_chooser_model.h"

#include <algorithm>

#include "sheets/recorded_sheet.h"
#include "sheets/saved_sheets.h"
#include "sheets/slot_sheet.h"
#include "store/locations.h"

namespace {

// A list of a whole database is of no use to read; the search narrows it.
constexpr std::size_t kMaxRows = 2000;

std::string Row(const sheets::SheetProduct& product) {
    std::string row = product.maker + "  " + product.part + "  " + sheets::LabelSizeText(product) + "  " +
                      std::to_string(product.columns) + "×" + std::to_string(product.rows) + "  [" +
                      sheets::SourceName(product.source) + "]";
    if (!product.Usable()) row += "  使えません: " + product.unusable;
    return row;
}

std::string Details(const sheets::SheetProduct& product) {
    using sheets::MillimetreText;
    std::string text = product.maker + " " + product.part + "\n";
    if (!product.description.empty()) text += product.description + "\n";
    text += "用紙: " + product.paperId + " " + MillimetreText(product.paperWidth) + "×" +
            MillimetreText(product.paperHeight) + "mm\n";
    text += "ラベル: " + sheets::LabelSizeText(product) + "  " + std::to_string(product.columns) + "列×" +
            std::to_string(product.rows) + "段 (" + std::to_string(product.PerSheet()) + "面)\n";
    text += "上から " + MillimetreText(product.top) + "mm  左から " + MillimetreText(product.left) + "mm\n";
    if (!product.Usable()) return text + "この用紙は使えません: " + product.unusable;
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(product);
    text += "設定 (1/100ｲﾝﾁ): 幅 " + std::to_string(sheet.width) + " 高さ " + std::to_string(sheet.height) + " 隙間 " +
            std::to_string(sheet.gapH) + "/" + std::to_string(sheet.gapV) + " 上から " + std::to_string(sheet.top) +
            " 左から " + std::to_string(sheet.left);
    for (const std::string& adjustment : sheet.adjustments) text += "\n注意: " + adjustment;
    return text;
}

}  // namespace

std::string SlotCaption(std::int32_t slot) {
    return slot == 2 ? "ﾕｰｻﾞｰ(1)" : slot == 3 ? "ﾕｰｻﾞｰ(2)" : "名刺ｻｲｽﾞ";
}

SheetChooserModel::SheetChooserModel(sheets::SheetCatalogue& catalogue, const SettingsProfile& settings,
                                     const RecordProfile& record, std::int32_t slot, SheetChooserPlatform& platform)
    : catalogue_(catalogue),
      settings_(settings),
      record_(record),
      slot_(slot == 2 || slot == 3 ? slot : 1),
      platform_(platform) {}

void SheetChooserModel::OnOpen() {
    heading = SlotCaption(slot_) + " に使う用紙を選びます";
    Find();
    SelectSlotSheet();
}

void SheetChooserModel::SelectSlotSheet() {
    const sheets::RecordedSheet now = sheets::SlotSettings(settings_, slot_);
    for (std::size_t row = 0; row < found_.size(); ++row) {
        const sheets::SheetProduct& product = catalogue_.Products()[found_[row]];
        if (!product.Usable()) continue;
        const sheets::SlotSheet sheet = sheets::ToSlotSheet(product);
        if (sheet.width == now.width && sheet.height == now.height && sheet.columns == now.columns &&
            sheet.rows == now.rows && sheet.gapH == now.gapH && sheet.gapV == now.gapV) {
            OnSelect(static_cast<int>(row));
            return;
        }
    }
}

void SheetChooserModel::OnSearchEdited() { Find(); }

void SheetChooserModel::Find() {
    found_ = catalogue_.Search(search);
    if (found_.size() > kMaxRows) found_.resize(kMaxRows);
    rows.clear();
    for (const std::size_t i : found_) rows.push_back(Row(catalogue_.Products()[i]));
    OnSelect(found_.empty() ? -1 : 0);
}

void SheetChooserModel::OnSelect(int row) {
    selected = row >= 0 && static_cast<std::size_t>(row) < found_.size() ? row : -1;
    const sheets::SheetProduct* product = Chosen();
    details = product != nullptr ? Details(*product) : "見つかりません";
    okEnabled = product != nullptr && product->Usable();
}

const sheets::SheetProduct* SheetChooserModel::Chosen() const {
    return selected < 0 ? nullptr : &catalogue_.Products()[found_[static_cast<std::size_t>(selected)]];
}

bool SheetChooserModel::OnOk() {
    const sheets::SheetProduct* product = Chosen();
    if (product == nullptr || !product->Usable()) return false;
    const sheets::SlotSheet sheet = sheets::ToSlotSheet(*product);
    const std::vector<sheets::SettingChange> changes = sheets::ApplySlotSheet(settings_, record_, slot_, sheet);
    std::string text = SlotCaption(slot_) + " を " + product->maker + " " + product->part + " にしました。";
    if (changes.empty()) text += "\n変わった設定はありません。";
    for (const sheets::SettingChange& change : changes) text += "\n" + change.caption + ": " + change.before + " → " + change.after;
    for (const std::string& adjustment : sheet.adjustments) text += "\n注意: " + adjustment;
    platform_.ShowMessage(text);
    return true;
}

void SheetChooserModel::OnSaveCurrent() {
    const std::optional<std::string> name = platform_.AskSheetName();
    if (!name || name->empty()) return;
    std::string problem;
    const sheets::SheetProduct product = sheets::CurrentSheet(settings_, record_, slot_, *name);
    if (!locations::EnsureFolders() || !sheets::SaveSheet(sheets::DefaultSources().savedFile, product, problem)) {
        platform_.ShowMessage("用紙を保存できませんでした。" + problem);
        return;
    }
    catalogue_.Load(sheets::DefaultSources());
    search = *name;
    Find();
}

void DrawSheetPicture(const sheets::SheetProduct& product, Surface& surface) {
    const auto at = [](double millimetres) { return sheets::Hundredths(millimetres); };
    surface.SetBrush({BrushKind::Solid, 0xffffff});
    surface.SetPen({PenStyle::Solid, 0, 0x808080});
    surface.DrawRectangle(0, 0, at(product.paperWidth), -at(product.paperHeight));
    if (product.columns < 1 || product.rows < 1) return;
    surface.SetBrush({BrushKind::None, 0});
    surface.SetPen({PenStyle::Solid, 0, 0x0000ff});  // red (red is the low byte)
    const std::int32_t corner = at(2 * product.round);
    // Large grids are drawn in part: a picture of thousands of labels tells nothing more.
    const std::int32_t columns = std::min(product.columns, 100), rows = std::min(product.rows, 100);
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t column = 0; column < columns; ++column) {
            const std::int32_t left = at(product.left + column * product.pitchX);
            const std::int32_t top = at(product.top + row * product.pitchY);
            surface.DrawRoundRect(left, -top, left + at(product.width), -(top + at(product.height)), corner, corner);
        }
    }
}
