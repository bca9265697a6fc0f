#pragma once

#include <QString>

#include <string_view>

// The program's own texts are UTF-8 in the sources.
inline QString ToQt(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
