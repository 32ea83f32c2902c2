#pragma once

// A file's word list as a scan makes it: read as far as the scan needs, normalised and split.

#include "files/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravelin {

inline constexpr int32_t kCharsPerNeededWord = 20;

struct FileWords {
    int32_t count = 0;  // words stored, at most the number needed
    // The reader's failure; a file that cannot be read has no words, so it counts as too small.
    std::optional<Error> error;
};

// A 1st-folder file is read until 20 x wordsNeeded characters; a 2nd-folder file until
// wordsNeeded lines.
FileWords ReadFirstFolderWords(const std::string& path, int32_t wordsNeeded,
                               std::vector<std::string>& words);
FileWords ReadSecondFolderWords(const std::string& path, int32_t wordsNeeded,
                                std::vector<std::string>& words);

}  // namespace ravelin
