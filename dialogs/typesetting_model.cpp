#include "dialogs/typesetting_model.h"

#include <algorithm>

#include "render/qr_code.h"
#include "store/codec.h"
#include "store/items.h"
#include "store/profile_value.h"

namespace {

constexpr char kLevels[] = {'L', 'M', 'Q', 'H'};

int LevelIndex(char level) {
    const auto* found = std::find(std::begin(kLevels), std::end(kLevels), level);
    return found == std::end(kLevels) ? 1 : static_cast<int>(found - std::begin(kLevels));
}

}  // namespace

std::string QrProblemText(const std::string& storedText, char level, std::int32_t size) {
    QrSymbol symbol;
    switch (CodeFor(storedText, level, size, symbol)) {
        case QrProblem::None:
        case QrProblem::Empty: return "";
        case QrProblem::NotText: return codec::Sjis("QRコードにできない文字があります");
        case QrProblem::TooLong: return codec::Sjis("文字が多すぎてQRコードにできません");
        case QrProblem::TooFine: return codec::Sjis("QRコードが小さすぎます。大きさを広げるか訂正レベルを下げてください");
    }
    return "";
}

TypesettingModel::TypesettingModel(DecorationPlatform& platform, const RecordProfile& record, std::string section,
                                   std::string slotPrefix, std::string item, std::int32_t labelWidth)
    : platform_(platform),
      record_(record),
      section_(std::move(section)),
      slotPrefix_(std::move(slotPrefix)),
      item_(std::move(item)),
      labelWidth_(labelWidth) {}

void TypesettingModel::OnOpen() {
    opened_ = ReadItemTypesetting(record_, section_, slotPrefix_, item_);
    maxWidth = std::to_string(opened_.fitWidth);
    fitMin = std::to_string(opened_.fitMin);
    wrap = opened_.wrap;
    vertical = opened_.vertical;
    rubyEnabled = item_ == FixedItems()[0];
    ruby = opened_.ruby && rubyEnabled;
    qr = opened_.qr;
    qrSize = std::to_string(opened_.qrSize);
    qrLevel = LevelIndex(opened_.qrLevel);
    qrControlsEnabled = qr;
    Explain();
}

ItemTypesetting TypesettingModel::Settings() const {
    ItemTypesetting values = opened_;
    values.fitWidth = std::max(profile::ParseLeadingInt(maxWidth), 0);
    values.fitMin = std::clamp(profile::ParseLeadingInt(fitMin), typesetting::kMinFitMin, 100);
    values.wrap = wrap;
    values.vertical = vertical;
    values.ruby = ruby && rubyEnabled;
    values.qr = qr;
    const std::int32_t size = profile::ParseLeadingInt(qrSize);
    values.qrSize = size <= 0 ? typesetting::kDefaultQrSize : std::min(size, typesetting::kMaxQrSize);
    values.qrLevel = kLevels[std::clamp(qrLevel, 0, 3)];
    return values;
}

void TypesettingModel::Write(const ItemTypesetting& values) {
    WriteItemTypesetting(record_, section_, slotPrefix_, item_, values);
    platform_.RefreshAllViews();
}

void TypesettingModel::Explain() {
    const ItemTypesetting values = Settings();
    qrControlsEnabled = qr;
    qrProblem = qr ? QrProblemText(record_.ReadString(section_, item_, ""), values.qrLevel, values.qrSize) : "";
}

void TypesettingModel::OnChanged() {
    Write(Settings());
    Explain();
}

void TypesettingModel::OnFitToLabel() {
    const std::int32_t xpos = record_.ReadInt(section_, ItemKey(slotPrefix_, item_, "Xpos"), 0);
    maxWidth = std::to_string(std::max<std::int64_t>(std::int64_t{labelWidth_} - xpos, 0));
    OnChanged();
}

void TypesettingModel::OnOk() { Write(Settings()); }

void TypesettingModel::OnCancel() { Write(opened_); }
