#include "render/calibration_page.h"

#include <cmath>
#include <ctime>

#include "store/codec.h"
#include "store/font_setting.h"

namespace {

constexpr double kCrossInset = 20;   // mm from the edges
constexpr double kCrossArm = 6;      // mm from the centre of a cross
constexpr double kRulerAt = 10;      // mm: the ruler's base line from its edge
constexpr std::int32_t kTextHeight = 14;  // hundredths of an inch, about 10 pt

// Millimetres as logical units: x to the right, y upward from the paper's top-left corner.
std::int32_t X(double millimetres) { return static_cast<std::int32_t>(std::lround(millimetres / 0.254)); }
std::int32_t Y(double millimetres) { return -X(millimetres); }

// A name from outside (a printer's) in code page 932; a character it cannot hold becomes "?".
std::string StoredName(const std::string& utf8) {
    std::string cp932;
    if (codec::Utf8ToCp932(utf8, cp932)) return cp932;
    std::string plain;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) plain += c;
        else if ((byte & 0xc0) != 0x80) plain += '?';  // one for each character, not each byte
    }
    return plain;
}

// Ticks every millimetre from the base line towards the edge, longer every 5 and 10, numbered
// every 10.
void DrawRuler(Surface& surface, double length, bool horizontal) {
    const auto line = [&](double along, double from, double to) {
        if (horizontal)
            surface.DrawLine(X(along), Y(from), X(along), Y(to));
        else
            surface.DrawLine(X(from), Y(along), X(to), Y(along));
    };
    if (horizontal)
        surface.DrawLine(0, Y(kRulerAt), X(length), Y(kRulerAt));
    else
        surface.DrawLine(X(kRulerAt), 0, X(kRulerAt), Y(length));
    for (int mm = 0; mm <= static_cast<int>(length); ++mm) {
        const double tick = mm % 10 == 0 ? 4 : mm % 5 == 0 ? 3 : 2;
        line(mm, kRulerAt, kRulerAt - tick);
        if (mm % 10 != 0 || mm == 0) continue;
        const std::string number = std::to_string(mm);
        // Numbers sit on the paper's side of the base line, clear of the ticks.
        if (horizontal)
            surface.DrawText(X(mm + 0.5), Y(kRulerAt + 0.5), number);
        else
            surface.DrawText(X(kRulerAt + 0.5), Y(mm + 0.5), number);
    }
}

void SetUpDrawing(Surface& surface) {
    LogFont font;
    font.lfHeight = -kTextHeight;
    font.lfWeight = 400;
    font.lfCharSet = 128;
    font.lfFaceName = DefaultFaceName();
    surface.SetFont(font);
    surface.SetTextColor(0);
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    surface.SetPen({PenStyle::Solid, 1, 0});
}

void DrawCross(Surface& surface, const CalibrationCross& cross) {
    surface.DrawLine(X(cross.x - kCrossArm), Y(cross.y), X(cross.x + kCrossArm), Y(cross.y));
    surface.DrawLine(X(cross.x), Y(cross.y - kCrossArm), X(cross.x), Y(cross.y + kCrossArm));
}

void DrawLines(Surface& surface, const std::vector<std::string>& lines) {
    const double left = 30, top = 40;
    for (std::size_t i = 0; i < lines.size(); ++i)
        surface.DrawText(X(left), Y(top + 7.0 * static_cast<double>(i)), lines[i]);
}

}  // namespace

std::vector<CalibrationCross> CalibrationCrosses(double paperWidth, double paperHeight) {
    return {{kCrossInset, kCrossInset},
            {paperWidth - kCrossInset, kCrossInset},
            {paperWidth / 2, paperHeight / 2},
            {kCrossInset, paperHeight - kCrossInset},
            {paperWidth - kCrossInset, paperHeight - kCrossInset}};
}

std::string TodayForCalibrationPage() {
    const std::time_t now = std::time(nullptr);
    char text[16] = "";
    std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return text;
}

void DrawCalibrationPage(Surface& surface, double paperWidth, double paperHeight, const std::string& printerName,
                         const std::string& date) {
    SetUpDrawing(surface);
    DrawRuler(surface, paperWidth, true);
    DrawRuler(surface, paperHeight, false);
    for (const CalibrationCross& cross : CalibrationCrosses(paperWidth, paperHeight)) DrawCross(surface, cross);
    DrawLines(surface, {
        codec::Sjis("プリンタ: ") + StoredName(printerName),
        codec::Sjis("日付: ") + StoredName(date),
        codec::Sjis("十字の中心は用紙の角から左右・上下とも 20 mm の位置です。"),
        codec::Sjis("左上の十字が右にずれた量と下にずれた量を 0.1 mm 単位で測って入力してください。"),
        codec::Sjis("左右の十字の間隔は ") + std::to_string(static_cast<int>(std::lround(paperWidth - 2 * kCrossInset))) +
            codec::Sjis(" mm です。長さが違うときは倍率の補正を入力してください。"),
    });
}

std::vector<CalibrationCross> RegistrationCrosses(double paperWidth, double paperHeight, RegistrationSide side) {
    // The calibration's crosses and one off the centre lines, so that no cross falls on another
    // when a side is turned the wrong way.
    std::vector<CalibrationCross> crosses = CalibrationCrosses(paperWidth, paperHeight);
    crosses.push_back({paperWidth / 3, paperHeight / 3});
    for (CalibrationCross& cross : crosses) {
        if (side == RegistrationSide::BackLongEdge) cross.x = paperWidth - cross.x;
        if (side == RegistrationSide::BackShortEdge) cross.y = paperHeight - cross.y;
    }
    return crosses;
}

void DrawRegistrationPage(Surface& surface, double paperWidth, double paperHeight, RegistrationSide side,
                          const PrinterCalibration& calibration, const std::string& printerName, const std::string& date) {
    const PrinterCalibration used = side == RegistrationSide::Front ? calibration : BackPageCalibration(calibration);
    if (!used.IsNone()) surface.Calibrate(used);
    SetUpDrawing(surface);
    const std::vector<CalibrationCross> crosses = RegistrationCrosses(paperWidth, paperHeight, side);
    for (std::size_t i = 0; i < crosses.size(); ++i) {
        DrawCross(surface, crosses[i]);
        surface.DrawText(X(crosses[i].x + 1.5), Y(crosses[i].y + 1.5), std::to_string(i + 1));
    }
    const bool front = side == RegistrationSide::Front;
    std::vector<std::string> lines = {
        codec::Sjis(front ? "表裏合わせのテストページ (表)" : side == RegistrationSide::BackLongEdge
                                                              ? "表裏合わせのテストページ (裏・長辺とじ)"
                                                              : "表裏合わせのテストページ (裏・短辺とじ)"),
        codec::Sjis("プリンタ: ") + StoredName(printerName),
        codec::Sjis("日付: ") + StoredName(date),
    };
    if (front) {
        lines.push_back(codec::Sjis("両面に印刷し、光に透かして同じ番号の十字が重なるかを見ます。"));
    } else {
        lines.push_back(codec::Sjis("裏から透かして見て、裏の十字が表の十字より右・下にずれた量を 0.1 mm 単位で測り、"));
        lines.push_back(codec::Sjis("今の裏面のずれに足して入力してください (左・上は負の数)。"));
    }
    DrawLines(surface, lines);
}
