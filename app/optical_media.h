#pragma once

#include <string>

// Whether the file at path lives on a CD-ROM or DVD file system (ISO 9660 or UDF), where
// nothing can be saved.
bool OnOpticalMedia(const std::string& path);
