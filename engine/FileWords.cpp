#include "engine/FileWords.h"

#include "engine/TextReader.h"
#include "engine/TextReduction.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace ravelin {
namespace {

FileWords Reduce(ReaderResult read, int32_t wordsNeeded, std::vector<std::string>& words) {
    FileWords result;
    result.error = std::move(read.error);
    try {
        result.count = ReduceToWords(read.text, wordsNeeded, words);
    } catch (const std::bad_alloc&) {
        // The repair of a text as large as the memory needs a copy of it; without room, the
        // file is one that cannot be read.
        result.count = 0;
        result.error = Error{ENOMEM, std::strerror(ENOMEM)};
    }
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
