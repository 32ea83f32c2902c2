#pragma once

// The two readers of a scan. A file is read as a sequence of lines, which are joined by single
// spaces; a line ends at a carriage return (with an optional line feed after it), and a line feed
// alone stays inside the line. Reading stops after the line that meets the budget.

#include "files/Result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ravelin {

struct ReaderResult {
    std::string text;
    std::optional<Error> error;  // errno and its text
    int32_t count = 0;           // characters or lines read
};

// Reads whole lines until at least minChars characters of line text have been read
// (minChars <= 0: the whole file). Only regular files (or links to them) are opened.
ReaderResult ReadTextByChars(const std::string& path, int32_t minChars);

// Reads whole lines until maxLines lines have been read (maxLines <= 0: the whole file).
ReaderResult ReadTextByLines(const std::string& path, int32_t maxLines);

}  // namespace ravelin
