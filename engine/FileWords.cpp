#include "engine/FileWords.h"

#include "engine/TextReader.h"
#include "engine/TextReduction.h"

namespace ravelin {

// The readers' error values are not looked at: an unreadable file has an empty text, so no words.
int32_t ReadFirstFolderWords(const std::string& path, int32_t wordsNeeded,
                             std::vector<std::string>& words) {
    ReaderResult read = ReadTextByChars(path, kCharsPerNeededWord * wordsNeeded);
    return ReduceToWords(read.text, wordsNeeded, words);
}

int32_t ReadSecondFolderWords(const std::string& path, int32_t wordsNeeded,
                              std::vector<std::string>& words) {
    ReaderResult read = ReadTextByLines(path, wordsNeeded);
    return ReduceToWords(read.text, wordsNeeded, words);
}

}  // namespace ravelin
