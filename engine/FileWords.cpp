#include "engine/FileWords.h"

#include "engine/TextReader.h"
#include "engine/TextReduction.h"

namespace ravelin {
namespace {

FileWords Reduce(ReaderResult read, int32_t wordsNeeded, std::vector<std::string>& words) {
    FileWords result;
    result.count = ReduceToWords(read.text, wordsNeeded, words);
    result.errorNumber = read.errorNumber;
    result.errorDescription = std::move(read.errorDescription);
    return result;
}

}  // namespace

FileWords ReadFirstFolderWords(const std::string& path, int32_t wordsNeeded,
                               std::vector<std::string>& words) {
    return Reduce(ReadTextByChars(path, kCharsPerNeededWord * wordsNeeded), wordsNeeded, words);
}

FileWords ReadSecondFolderWords(const std::string& path, int32_t wordsNeeded,
                                std::vector<std::string>& words) {
    return Reduce(ReadTextByLines(path, wordsNeeded), wordsNeeded, words);
}

}  // namespace ravelin
