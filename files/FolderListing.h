#pragma once

// Counting and listing the files that lie directly in one folder and whose names match a
// wildcard pattern. Regular files and links to regular files count, hidden ones included;
// sub-folders, devices, pipes, sockets and broken links do not. Files are visited in a fixed
// order: by name with A-Z taken as lower case, byte by byte, ties broken by the exact bytes.

#include "files/StringRoutines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

// Number of matching files, or -1 with `errorText` set when the folder cannot be read ("Path
// not found" when it is missing or not a folder). Denied access gives 0 with `accessDenied` set.
int32_t CountFiles(const std::string& folder, std::string_view pattern, std::string& errorText,
                   bool& accessDenied, const YieldFunction& yield = {});

// Replaces `fileNames` by the bare names of the matching files and returns their number; with
// no match `fileNames` stays as it was. Returns -1 with `errorText` set on any failure, denied
// access included. `refused`, when given, gets the names that would match but for a ?, *, : or
// \ in them, which the matcher refuses.
int32_t ListFiles(const std::string& folder, std::vector<std::string>& fileNames,
                  std::string_view pattern, std::string& errorText, const YieldFunction& yield = {},
                  std::vector<std::string>* refused = nullptr);

// Whether the path, without surrounding blanks, names a folder or a link to one.
bool FolderExists(std::string_view path);

std::string FullPath(const std::string& folder, const std::string& name);

}  // namespace ravelin
