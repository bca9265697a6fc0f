#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "store/profiles.h"

// Ready-made entries for the items, one list per position of the item list. Items from position
// kValueListCount on have no list.
constexpr std::size_t kValueListCount = 20;
using ValueLists = std::array<std::vector<std::string>, kValueListCount>;

// Reloads each list from the file registered for its item in the settings' "Lists" section,
// looked up in the data folder. A list whose file cannot be read keeps what it held; so does one
// registered with anything but a plain file name (IsPlainFileName), which could reach outside.
// Entries are code page 932; files written in UTF-8 are converted.
void LoadValueLists(const SettingsProfile& settings, const std::vector<std::string>& itemList, ValueLists& lists);
