#include "dialogs/image_model.h"

#include <algorithm>
#include <limits>

#include "dialogs/step_value.h"
#include "render/card_image.h"
#include "store/profile_value.h"

namespace {

// The stored names of the positions, by Position.
constexpr const char* kPositionNames[] = {"lefttop", "leftbottom", "hvcenter", "righttop", "rightbottom", "freepos"};
constexpr std::int32_t kMaxZoom = 500;

std::size_t Index(ImageModel::Position position) { return static_cast<std::size_t>(position); }
std::size_t Index(ImageModel::Axis axis) { return static_cast<std::size_t>(axis); }

template <std::size_t N>
void SetOnly(std::array<bool, N>& boxes, std::size_t index) {
    boxes.fill(false);
    boxes[index] = true;
}

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ImageModel::ImageModel(ImageDialogPlatform& platform, EditSession& view, std::string cardSection)
    : platform_(platform),
      view_(view),
      record_(view.Record()),
      section_(std::move(cardSection)),
      prefix_(std::to_string(view.State().slot) + "BMP") {}

void ImageModel::OnOpen() {
    openedPath_ = record_.ReadString(section_, prefix_, "");
    openedX_ = record_.ReadInt(section_, Key("x"), 0);
    openedY_ = record_.ReadInt(section_, Key("y"), 0);
    record_.WriteInt("Option", "NoBMPEdit", 0);
    StoreAndRefresh();

    path = openedPath_;
    CardImageCache* cache = view_.State().image;
    const DibImage* image = cache != nullptr ? cache->ImageFor(path) : nullptr;
    imageWidth = image != nullptr ? image->Width() : 0;
    imageHeight = image != nullptr ? image->Height() : 0;
    unreadable = image == nullptr && !path.empty();
    coordinates = {std::to_string(openedX_), std::to_string(openedY_)};

    std::int32_t tate = record_.ReadInt("BMP", "Tate", 1);
    const std::int32_t yoko = record_.ReadInt("BMP", "Yoko", 0);
    if (tate == yoko) tate = 1;
    SetOnly(fits, static_cast<std::size_t>(tate == 0 ? Fit::Width : Fit::Height));

    zoom = record_.ReadInt(section_, Key("Zoom"), 100);
    plusEnabled = zoom < kMaxZoom;
    minusEnabled = zoom > 0;
    zoom = std::clamp(zoom, 0, kMaxZoom);
    openedZoom_ = zoom;
    zoomStep = view_.Settings().ReadInt("BitMapSetting", "DiffRatio", 5);

    const std::string stored = record_.ReadString(section_, Key("Pos"), kPositionNames[0]);
    const auto* named = std::find(std::begin(kPositionNames), std::end(kPositionNames), stored);
    // Anything but the five fixed names is a free position.
    SetOnly(positions, std::min(static_cast<std::size_t>(named - std::begin(kPositionNames)), Index(Position::Free)));
    coordinatesEnabled = CurrentPosition() == Position::Free;
}

ImageModel::Position ImageModel::CurrentPosition() const {
    const auto set = std::find(positions.begin(), positions.end(), true);
    return static_cast<Position>(set - positions.begin());
}

void ImageModel::Place() {
    const Position position = CurrentPosition();
    const std::int64_t W = view_.State().label.width, H = view_.State().label.height;
    const std::int64_t w = imageWidth, h = imageHeight;
    std::int64_t x = 0, y = 0;
    // The image's pixels count as hundredths of an inch here, whatever its zoom. One that is not
    // smaller than the tag both ways stays at the top left.
    if (w < W && h < H) {
        switch (position) {
            case Position::LeftTop: break;
            case Position::LeftBottom: y = H - h; break;
            case Position::RightTop: x = W - w; break;
            case Position::RightBottom:
                x = W - w;
                y = H - h;
                break;
            case Position::Centre:
                x = (W - w) / 2;
                y = (H - h) / 2;
                break;
            case Position::Free:
                x = profile::ParseLeadingInt(coordinates[Index(Axis::X)]);
                y = profile::ParseLeadingInt(coordinates[Index(Axis::Y)]);
                break;
        }
    }
    record_.WriteInt(section_, Key("x"), Clamp32(x));
    record_.WriteInt(section_, Key("y"), Clamp32(y));
    coordinates = {std::to_string(Clamp32(x)), std::to_string(Clamp32(y))};
    coordinatesEnabled = position == Position::Free;
}

void ImageModel::Load() {
    CardImageCache* cache = view_.State().image;
    const DibImage* image = cache != nullptr ? cache->ImageFor(path) : nullptr;
    // A file that cannot be read changes nothing stored; the dialog only says so.
    unreadable = image == nullptr && !path.empty();
    if (image == nullptr) return;
    record_.WriteString(section_, prefix_, path);
    imageWidth = image->Width();
    imageHeight = image->Height();
    Place();
    StoreAndRefresh();
}

void ImageModel::OnPathEdited() { Load(); }

void ImageModel::OnBrowse() {
    const std::optional<std::string> chosen = platform_.ChooseImageFile(path);
    if (!chosen) return;
    path = *chosen;
    Load();
}

void ImageModel::OnPosition(Position position) {
    SetOnly(positions, Index(position));
    record_.WriteString(section_, Key("Pos"), kPositionNames[Index(position)]);
    Place();
    StoreAndRefresh();
}

void ImageModel::SetZoom(std::int64_t value) {
    zoom = Clamp32(value);
    record_.WriteInt(section_, Key("Zoom"), zoom);
    StoreAndRefresh();
}

void ImageModel::OnZoom(std::int32_t direction) {
    std::int64_t value = std::int64_t{zoom} + std::int64_t{direction} * zoomStep;
    if (direction > 0) {
        plusEnabled = value < kMaxZoom;
        minusEnabled = true;
        value = std::min<std::int64_t>(value, kMaxZoom);
    } else {
        minusEnabled = value > 0;
        plusEnabled = true;
        value = std::max<std::int64_t>(value, 0);
    }
    SetZoom(value);
}

void ImageModel::OnAutoFit() {
    if (imageWidth == 0 || imageHeight == 0) return;
    const LabelExtent label = view_.State().label;
    const bool byWidth = fits[static_cast<std::size_t>(Fit::Width)];
    // The zoom may go beyond the plus button's limit here.
    coordinates = {"0", "0"};
    SetZoom(byWidth ? std::int64_t{label.width} * 100 / imageWidth : std::int64_t{label.height} * 100 / imageHeight);
}

void ImageModel::OnFit(Fit fit) { SetOnly(fits, static_cast<std::size_t>(fit)); }

void ImageModel::OnStep(Axis axis, std::int32_t step) {
    const LabelExtent label = view_.State().label;
    const std::int32_t bound = axis == Axis::X ? label.width : label.height;
    std::string& coordinate = coordinates[Index(axis)];
    stepUpEnabled[Index(axis)] = std::int64_t{profile::ParseLeadingInt(coordinate)} + step <= bound;
    coordinate = SteppedText(coordinate, step, 0, std::max(0, bound));
}

void ImageModel::OnUpdateView() {
    Place();
    StoreAndRefresh();
}

void ImageModel::StoreAndRefresh() {
    record_.Flush();
    platform_.RefreshAllViews();
}

void ImageModel::OnOk() {
    record_.WriteInt("BMP", "Tate", fits[static_cast<std::size_t>(Fit::Height)] ? 1 : 0);
    record_.WriteInt("BMP", "Yoko", fits[static_cast<std::size_t>(Fit::Width)] ? 1 : 0);
    record_.WriteString(section_, prefix_, path);
    StoreAndRefresh();
}

void ImageModel::OnCancel() {
    record_.WriteInt(section_, Key("Zoom"), openedZoom_);
    record_.WriteString(section_, prefix_, openedPath_);
    record_.WriteInt(section_, Key("x"), openedX_);
    record_.WriteInt(section_, Key("y"), openedY_);
    StoreAndRefresh();
}
