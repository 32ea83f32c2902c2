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

// Most files give the words a scan needs in their first few hundred bytes, and most have no
// carriage return, so that the budget would read them whole.
constexpr size_t kFirstRead = 4096;

// Reads the beginning of the file, and more, twice as much each time, until its reduction gives
// the words needed and they cannot depend on the rest; at the budget or the end of the file the
// text read is reduced whole.
FileWords ReadWords(const std::string& path, Budget budget, int32_t limit, int32_t wordsNeeded,
                    std::vector<std::string>& words) {
    LineReader reader;
    std::optional<Error> error = reader.Open(path, budget, limit);
    std::string prefix;
    for (size_t step = kFirstRead; !error; step = reader.Text().size()) {
        error = reader.ReadMore(step);
        if (error) {
            break;
        }
        if (reader.Finished()) {
            return Reduce(ReaderResult{std::move(reader.Text()), std::nullopt, reader.Count()},
                          wordsNeeded, words);
        }
        prefix = reader.Text();
        if (ReducePrefixToWords(prefix, wordsNeeded, words)) {
            return FileWords{wordsNeeded, std::nullopt};
        }
    }
    return FileWords{0, std::move(error)};
}

}  // namespace

FileWords ReadFirstFolderWords(const std::string& path, int32_t wordsNeeded,
                               std::vector<std::string>& words) {
    return ReadWords(path, Budget::Chars, kCharsPerNeededWord * wordsNeeded, wordsNeeded, words);
}

FileWords ReadSecondFolderWords(const std::string& path, int32_t wordsNeeded,
                                std::vector<std::string>& words) {
    return ReadWords(path, Budget::Lines, wordsNeeded, wordsNeeded, words);
}

}  // namespace ravelin
