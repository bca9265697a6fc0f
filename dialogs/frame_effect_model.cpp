#include "dialogs/frame_effect_model.h"

#include "dialogs/step_value.h"
#include "store/codec.h"
#include "store/profile_value.h"

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
// The renderer leaves an area unfilled when no pattern is stored.
constexpr std::int32_t kRendererPattern = 4;
// The per-kind key suffixes of the distances, by Side.
constexpr const char* kSideSuffixes[] = {"T", "B", "L", "R"};

std::size_t Index(FrameEffectModel::Role role) { return static_cast<std::size_t>(role); }

// Per-kind keys: "Frame" + kind + what, e.g. "Frame3Inside".
std::string Key(std::int32_t kind, const std::string& what) { return "Frame" + std::to_string(kind) + what; }

}  // namespace

FrameEffectModel::FrameEffectModel(FrameEffectPlatform& platform, const RecordProfile& record, std::string section)
    : platform_(platform), record_(record), section_(std::move(section)) {}

void FrameEffectModel::OnOpen() {
    const std::string& path = record_.Path();
    kind = record_.ReadInt(section_, "Frame", 0);
    opened_.kind = kind;
    opened_.gap = record_.ReadInt(section_, Key(kind, "Gap"), 5);
    CColorSetting::LoadFromRecord(section_, Key(kind, "Inside"), colors[Index(Role::Inside)], kWhite, path);
    CColorSetting::LoadFromRecord(section_, Key(kind, "Outside"), colors[Index(Role::Outside)], kWhite, path);
    CColorSetting::LoadFromRecord(section_, Key(kind, "BorderCol1"), colors[Index(Role::Border)],
                                  colors[Index(Role::Inside)], path);
    opened_.colors = colors;
    opened_.width = record_.ReadInt(section_, Key(kind, "BorderWidth1"), 1);
    width = std::to_string(opened_.width);
    CorrectWidth();
    const std::string ratioKeys[] = {Key(kind, "InsideRatio"), Key(kind, "OutsideRatio")};
    for (std::size_t area = 0; area < patterns.size(); ++area) {
        patterns[area] = record_.ReadInt(section_, ratioKeys[area], 0);
        // The dialog offers "100%" for a missing pattern, but Cancel must leave the tag drawn as
        // it was, and the renderer leaves such an area unfilled.
        const bool stored = !record_.ReadString(section_, ratioKeys[area], "").empty();
        opened_.patterns[area] = stored ? patterns[area] : kRendererPattern;
    }
    opened_.beforeImage = record_.ReadInt(section_, "FrameBeforeBmp", 1);
    beforeImage = opened_.beforeImage != 0;
    opened_.gapAll = record_.ReadInt(section_, Key(kind, "GapAll"), 0);
    // Any non-zero value makes the renderer use the common distance, so the dialog shows it too.
    allSides = opened_.gapAll != 0;
    for (std::size_t side = 0; side < distances.size(); ++side)
        opened_.sides[side] = record_.ReadString(section_, Key(kind, "Gap") + kSideSuffixes[side], "5");
    distances = opened_.sides;
    opened_.gapText = record_.ReadString(section_, Key(kind, "Gap"), "5");
    if (allSides) distances[static_cast<std::size_t>(Side::Top)] = opened_.gapText;
    remembered_ = distances;
    ShowAllSides();
    outsideEnabled = kind != 0;
}

void FrameEffectModel::OnKindChosen(std::int32_t chosen) {
    kind = chosen;
    outsideEnabled = kind != 0;
}

void FrameEffectModel::OnChooseColor(Role role) {
    if (const std::optional<ColorRef> chosen = platform_.ChooseColor(colors[Index(role)]))
        colors[Index(role)] = *chosen;
}

void FrameEffectModel::CorrectWidth() {
    if (profile::ParseLeadingInt(width) < 1) width = "1";
}

void FrameEffectModel::OnWidthEdited() { CorrectWidth(); }

void FrameEffectModel::OnWidthStep(std::int32_t step) { width = SteppedText(width, step, 1); }

void FrameEffectModel::OnDistanceStep(Side side, std::int32_t step) {
    std::string& distance = distances[static_cast<std::size_t>(side)];
    distance = SteppedText(distance, step, 0);
}

void FrameEffectModel::OnAllSidesToggled() {
    if (allSides)
        remembered_ = distances;
    else
        distances = remembered_;
    ShowAllSides();
}

void FrameEffectModel::ShowAllSides() {
    sidesEnabled = !allSides;
    topCaption = codec::Sjis(allSides ? "幅" : "上");
}

void FrameEffectModel::Write(const FrameValues& values) {
    const std::string& path = record_.Path();
    const std::int32_t k = values.kind;
    record_.WriteInt(section_, "Frame", k);
    record_.WriteInt(section_, Key(k, "Gap"), values.gap);
    CColorSetting::SaveToRecord(section_, Key(k, "Inside"), values.colors[Index(Role::Inside)], path);
    CColorSetting::SaveToRecord(section_, Key(k, "OutSide"), values.colors[Index(Role::Outside)], path);
    CColorSetting::SaveToRecord(section_, Key(k, "BorderCol1"), values.colors[Index(Role::Border)], path);
    record_.WriteInt(section_, Key(k, "BorderWidth1"), values.width);
    record_.WriteInt(section_, Key(k, "InsideRatio"), values.patterns[static_cast<std::size_t>(Area::Inside)]);
    record_.WriteInt(section_, Key(k, "OutsideRatio"), values.patterns[static_cast<std::size_t>(Area::Outside)]);
    record_.WriteInt(section_, "FrameBeforeBmp", values.beforeImage);
    record_.WriteInt(section_, Key(k, "GapAll"), values.gapAll);
    if (values.gapAll != 0) {
        record_.WriteString(section_, Key(k, "Gap"), values.gapText);
    } else {
        for (std::size_t side = 0; side < values.sides.size(); ++side)
            record_.WriteString(section_, Key(k, "Gap") + kSideSuffixes[side], values.sides[side]);
    }
    record_.Flush();
}

void FrameEffectModel::WriteFields() {
    CorrectWidth();
    // The common distance is first written as read at opening; while "すべて同じ" is set the top
    // field then replaces it.
    Write({kind, opened_.gap, colors, profile::ParseLeadingInt(width), patterns, beforeImage ? 1 : 0, allSides ? 1 : 0,
           distances[static_cast<std::size_t>(Side::Top)], distances});
}

void FrameEffectModel::OnUpdate() {
    WriteFields();
    platform_.RefreshAllViews();
    platform_.BringToFront();
}

void FrameEffectModel::OnOk() { WriteFields(); }

void FrameEffectModel::OnCancel() { Write(opened_); }
