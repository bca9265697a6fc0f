#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Reading a file the program was given by name. It is opened without blocking and refused unless
// it is a regular file, so that a FIFO or a device named like a list, a template or a record file
// never stalls the program.
//
// Reads the whole file at path into bytes: 0, or the errno of why not — ENOENT for a missing
// file, EISDIR for a folder, EINVAL for anything else that is not a regular file, EFBIG for a
// file over maxBytes (also when it grows past them while being read). status, when given, is the
// file's as opened, set whenever it exists.
int ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, struct stat* status = nullptr);
// The same, handing the file to take a piece at a time instead of holding it whole; on a failure
// take may have had some of it.
int ReadRegularFileInPieces(const std::string& path, std::size_t maxBytes, const std::function<void(std::string_view)>& take,
                            struct stat* status = nullptr);
