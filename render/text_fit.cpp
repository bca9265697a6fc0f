#include "render/text_fit.h"

#include <algorithm>
#include <cstdlib>

#include "render/logical_math.h"

namespace {

// A font stored with height 0 has this cell height, on every surface.
constexpr std::int32_t kDefaultCellHeight = 16;

// The largest value in lo…hi for which fits() holds, fits() being true up to some value and
// false above it; lo − 1 when it holds for none. The guess is tried first, then its neighbour
// above, so a good guess costs two measurements.
std::int32_t LargestFitting(std::int32_t lo, std::int32_t hi, std::int32_t guess,
                            const std::function<bool(std::int32_t)>& fits) {
    std::int32_t best = lo - 1;
    guess = std::clamp(guess, lo, hi);
    if (fits(guess)) {
        best = guess;
        lo = guess + 1;
        if (lo > hi || !fits(lo)) return best;
        best = lo;
        ++lo;
    } else {
        hi = guess - 1;
    }
    while (lo <= hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        if (fits(mid)) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return best;
}

// value × wanted / actual, the proportional guess.
std::int32_t Proportional(std::int32_t value, std::int32_t wanted, std::int32_t actual) {
    if (actual <= 0) return value;
    return static_cast<std::int32_t>(std::int64_t{value} * wanted / actual);
}

}  // namespace

TextFit FitText(std::int32_t height, std::int32_t naturalWidth, std::int32_t fitWidth, std::int32_t fitMin,
                const std::function<std::int32_t(std::int32_t height, std::int32_t scale)>& widthAt) {
    TextFit fit{height, 100};
    if (fitWidth <= 0 || naturalWidth <= fitWidth) return fit;
    fitMin = std::clamp(fitMin, 1, 100);
    const auto scaleFits = [&](std::int32_t scale) { return widthAt(height, scale) <= fitWidth; };
    if (fitMin < 100) {
        const std::int32_t scale = LargestFitting(fitMin, 99, Proportional(100, fitWidth, naturalWidth), scaleFits);
        if (scale >= fitMin) {
            fit.scale = scale;
            return fit;
        }
    }
    fit.scale = fitMin;
    if (height <= 1) return fit;
    const auto heightFits = [&](std::int32_t h) { return widthAt(h, fitMin) <= fitWidth; };
    const std::int32_t condensed = std::max(1, Proportional(naturalWidth, fitMin, 100));
    fit.height = std::max(1, LargestFitting(1, height - 1, Proportional(height, fitWidth, condensed), heightFits));
    return fit;
}

std::int32_t FitOnSurface(Surface& surface, std::int32_t naturalWidth, std::int32_t fitWidth, std::int32_t fitMin,
                          const std::function<std::int32_t(Surface&)>& widthOf) {
    const LogFont font = surface.GetFont();
    const auto select = [&](std::int32_t height, std::int32_t scale) {
        surface.SetFont(WithHeight(font, height));
        surface.SetTextScale(scale);
    };
    const TextFit fit = FitText(HeightOf(font), naturalWidth, fitWidth, fitMin, [&](std::int32_t height, std::int32_t scale) {
        select(height, scale);
        return widthOf(surface);
    });
    select(fit.height, fit.scale);
    return widthOf(surface);
}

std::int32_t HeightOf(const LogFont& font) {
    return font.lfHeight == 0 ? kDefaultCellHeight : FontExtent(font.lfHeight);
}

LogFont WithHeight(const LogFont& font, std::int32_t height) {
    LogFont sized = font;
    const std::int32_t natural = HeightOf(font);
    sized.lfHeight = font.lfHeight < 0 ? -height : height;
    if (font.lfWidth != 0) sized.lfWidth = std::max(1, Proportional(font.lfWidth, height, natural));
    return sized;
}
