#include "engine/FileWords.h"

#include "engine/TextReader.h"
#include "engine/TextReduction.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
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
// Past this much text, the beginning that can no longer change is reduced and dropped, so that
// a file without words (zeros, a sparse file) is read in the memory of a few steps.
constexpr size_t kLargestStep = size_t{1} << 20;
constexpr size_t kSettleAbove = size_t{1} << 20;

// The words of text already dropped come first, then those of the text left.
class SettledWords {
  public:
    explicit SettledWords(int32_t wordsNeeded) : needed_(wordsNeeded) {}

    // Reduces and drops what can no longer change, when the text has grown enough since the
    // last time for the look to pay. True once the words needed are all settled.
    bool Settle(LineReader& reader) {
        if (reader.Text().size() < settleAt_) {
            return false;
        }
        const size_t length = TakeSettledWords(reader.Text(), needed_, words_);
        if (Count() == needed_) {
            return true;
        }
        reader.DropFront(length);
        settleAt_ = std::max(kSettleAbove, 2 * reader.Text().size());
        return false;
    }

    int32_t Count() const { return static_cast<int32_t>(words_.size()); }
    int32_t Left() const { return needed_ - Count(); }
    std::vector<std::string>& Words() { return words_; }

    // The settled words in front of those of the rest, which `words` holds when there are any.
    FileWords Join(const FileWords& rest, std::vector<std::string>& words) {
        if (rest.error || Count() == 0) {
            return rest;
        }
        if (rest.count == 0) {
            words.clear();
        }
        words.insert(words.begin(), std::make_move_iterator(words_.begin()),
                     std::make_move_iterator(words_.end()));
        return FileWords{static_cast<int32_t>(words.size()), std::nullopt};
    }

  private:
    int32_t needed_;
    size_t settleAt_ = kSettleAbove;
    std::vector<std::string> words_;
};

// Reduces ever longer beginnings of the file, twice as long each time, reading more when the
// text read is used up, until the words needed come out and cannot depend on the rest; at the
// budget or the end of the file the text read is reduced whole.
FileWords ReadRest(LineReader& reader, SettledWords& settled, std::vector<std::string>& words) {
    std::string prefix;
    size_t length = kBytesPerNeededWord * static_cast<size_t>(std::max(settled.Left(), 1));
    for (;;) {
        while (!reader.Finished() && reader.Text().size() < length) {
            const size_t wanted = length - reader.Text().size();
            if (auto error = reader.ReadMore(std::clamp(wanted, kFirstRead, kLargestStep))) {
                return FileWords{0, std::move(error)};
            }
            if (!reader.Finished() && settled.Settle(reader)) {
                return FileWords{0, std::nullopt};
            }
        }
        if (reader.Finished()) {
            return Reduce(ReaderResult{std::move(reader.Text()), std::nullopt, reader.Count()},
                          settled.Left(), words);
        }
        prefix.assign(reader.Text(), 0, length);
        if (ReducePrefixToWords(prefix, settled.Left(), words)) {
            return FileWords{settled.Left(), std::nullopt};
        }
        length *= 2;
    }
}

FileWords ReadWords(const std::string& path, Budget budget, int32_t limit, int32_t wordsNeeded,
                    std::vector<std::string>& words) {
    LineReader reader;
    if (auto error = reader.Open(path, budget, limit)) {
        return FileWords{0, std::move(error)};
    }
    SettledWords settled(wordsNeeded);
    return settled.Join(ReadRest(reader, settled, words), words);
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
