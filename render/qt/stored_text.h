#pragma once

#include <QString>

#include <string_view>

// Stored (code page 932) text for Qt, in the exact form of store/exact_text.h (characters beyond
// code page 932 escaped); bytes that are not code page 932 text become U+FFFD, so that a damaged
// value still shows what can be shown.
QString StoredToQString(std::string_view stored);
