#pragma once

// One match of a scan as it was found, kept for every match, also those the report's cap left
// out: what a viewer shows of it, and what a format written after the scan writes.

#include <array>
#include <cstdint>
#include <string>

namespace ravelin {

struct MatchRecord {
    std::array<std::string, 2> folders;  // as the file system names them
    std::array<std::string, 2> names;
    std::array<int32_t, 2> indices = {0, 0};
    int32_t percent = 0;
    int32_t mode = 0;  // 2: the 1st-folder side was shifted; 1: the 2nd-folder side
    int32_t shift = 0;
    // The compared words (Windows-1252), each followed by one space.
    std::array<std::string, 2> segments;
    int32_t numWordsToCompare = 0;
    std::array<int32_t, 2> numWordsToSkip = {0, 0};
};

}  // namespace ravelin
