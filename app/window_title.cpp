#include "app/window_title.h"

#include "store/codec.h"

std::string WindowTitle(const std::string& storedPath) {
    // Only "/" separates: a backslash byte may be the second half of a code page 932 character.
    const std::string::size_type slash = storedPath.rfind('/');
    const std::string name = slash == std::string::npos ? storedPath : storedPath.substr(slash + 1);
    std::string shown;
    if (name.empty())
        shown = "Zulnam";
    else if (!codec::Cp932ToUtf8(name, shown))
        shown = "（表示できない名前）";
    return shown + " - ZUL Name";
}
