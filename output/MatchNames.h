#pragma once

// The two names of a match as an output writes them, each made once: a 1st-folder file matches
// again and again, and the matches of a 2nd-folder file come together.

#include "engine/ScanSink.h"

#include <optional>
#include <string>
#include <vector>

namespace ravelin {

class MatchNames {
  public:
    // `write` turns a file's name, and whether it is the 1st-folder one, into its written form.
    template <class Write>
    void Update(const MatchFound& match, Write write) {
        Update(match.index1, match.name1, match.index2, match.name2, write);
    }

    template <class Write>
    void Update(int32_t index1, const std::string& name1, int32_t index2, const std::string& name2,
                Write write) {
        const auto slot = static_cast<size_t>(index1);
        if (slot >= first_.size()) {
            first_.resize(slot + 1);
        }
        if (!first_[slot]) {
            first_[slot] = write(name1, true);
        }
        current1_ = &*first_[slot];
        if (index2 != index2_) {
            index2_ = index2;
            second_ = write(name2, false);
        }
    }

    const std::string& First() const { return *current1_; }
    const std::string& Second() const { return second_; }

  private:
    std::vector<std::optional<std::string>> first_;  // by 1st-folder index
    const std::string* current1_ = nullptr;
    int32_t index2_ = -1;
    std::string second_;
};

}  // namespace ravelin
