#pragma once

// Gives every distinct word of the 1st folder a number, so that comparing two words is comparing
// two numbers, and a table of a folder's words holds numbers rather than strings.

#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ravelin {

class WordDictionary {
  public:
    // The number of a word the dictionary does not hold; it equals no number the dictionary gives.
    static constexpr uint32_t kUnknown = std::numeric_limits<uint32_t>::max();

    uint32_t Intern(std::string_view word);
    uint32_t Find(std::string_view word) const;
    const std::string& Word(uint32_t id) const { return words_[id]; }
    size_t Size() const { return words_.size(); }
    void Clear();

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    std::unordered_map<std::string_view, uint32_t, Hash, std::equal_to<>> ids_;
    std::deque<std::string> words_;  // a deque never moves its strings, so the views stay valid
};

}  // namespace ravelin
