#pragma once

// Gives every distinct word of the 1st folder a number, so that comparing two words is comparing
// two numbers, and a table of a folder's words holds numbers rather than strings.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

class WordDictionary {
  public:
    // The number of a word the dictionary does not hold; it equals no number the dictionary gives.
    static constexpr uint32_t kUnknown = std::numeric_limits<uint32_t>::max();

    // Threads that read files can hash their words, so that numbering them, which happens in
    // one place and in order, does only the lookup.
    static uint64_t HashOf(std::string_view word) { return std::hash<std::string_view>{}(word); }

    uint32_t Intern(std::string_view word) { return Intern(word, HashOf(word)); }
    uint32_t Intern(std::string_view word, uint64_t hash);
    uint32_t Find(std::string_view word) const { return Find(word, HashOf(word)); }
    uint32_t Find(std::string_view word, uint64_t hash) const;
    std::string_view Word(uint32_t id) const {
        return std::string_view(chars_).substr(starts_[id], starts_[id + 1] - starts_[id]);
    }
    size_t Size() const { return starts_.size() - 1; }
    void Clear();

  private:
    // Open addressing: a slot holds a word's number and part of its hash, so that a probe
    // compares strings only when the hashes agree.
    struct Slot {
        uint32_t id = kUnknown;
        uint32_t hash = 0;
    };

    size_t SlotOf(std::string_view word, uint64_t hash) const;
    void Grow();

    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    // The words one after another, each from its start to the next one's: one block for all,
    // not one string each.
    std::string chars_;
    std::vector<size_t> starts_ = {0};
};

}  // namespace ravelin
