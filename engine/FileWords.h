#pragma once

// A file's word list as a scan makes it: read as far as the scan needs, normalised and split.

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

inline constexpr int32_t kCharsPerNeededWord = 20;

// A 1st-folder file is read until 20 x wordsNeeded characters; a 2nd-folder file until
// wordsNeeded lines. Returns the number of words stored (at most wordsNeeded); a file that cannot
// be read has none.
int32_t ReadFirstFolderWords(const std::string& path, int32_t wordsNeeded,
                             std::vector<std::string>& words);
int32_t ReadSecondFolderWords(const std::string& path, int32_t wordsNeeded,
                              std::vector<std::string>& words);

}  // namespace ravelin
