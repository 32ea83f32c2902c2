#include "engine/FileWords.h"

#include "engine/TextReader.h"
#include "engine/TextReduction.h"

#include <algorithm>
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
// carriage return, so that the budget would read them whole. A read costs about the same for a
// few kilobytes as for a few hundred bytes; the reduction costs by the byte.
constexpr size_t kFirstRead = 4096;
constexpr size_t kBytesPerNeededWord = 12;

// Reduces ever longer beginnings of the file, twice as long each time, reading more when the
// text read is used up, until the words needed come out and cannot depend on the rest; at the
// budget or the end of the file the text read is reduced whole.
FileWords ReadWords(const std::string& path, Budget budget, int32_t limit, int32_t wordsNeeded,
                    std::vector<std::string>& words) {
    LineReader reader;
    std::optional<Error> error = reader.Open(path, budget, limit);
    std::string prefix;
    size_t length = kBytesPerNeededWord * static_cast<size_t>(std::max(wordsNeeded, 1));
    while (!error) {
        if (reader.Text().size() < length) {
            error = reader.ReadMore(std::max(kFirstRead, length - reader.Text().size()));
            if (error) {
                break;
            }
            if (reader.Finished()) {
                return Reduce(ReaderResult{std::move(reader.Text()), std::nullopt, reader.Count()},
                              wordsNeeded, words);
            }
        }
        prefix.assign(reader.Text(), 0, length);
        if (ReducePrefixToWords(prefix, wordsNeeded, words)) {
            return FileWords{wordsNeeded, std::nullopt};
        }
        length *= 2;
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
