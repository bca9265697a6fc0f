#pragma once

#include <string>
#include <string_view>

// Replaces the file at path with content so that a crash or a power cut at any moment leaves
// either the old file or the new one: the content goes to a temporary file in the same folder,
// is synced, and is renamed over the old file. The old file's permissions are kept; a symbolic
// link is followed, so the link stays a link. False when anything fails (nothing is changed).
bool ReplaceFileAtomically(const std::string& path, std::string_view content);
