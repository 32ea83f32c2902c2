#pragma once

// Runs of values kept one after another in large blocks that never move: a run stays where it
// was put as more come, and a hundred thousand short runs cost neither a heap block each, which
// leaves the heap in pieces too small to use again, nor the copies of one growing vector.

#include "files/LargePages.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace ravelin {

template <class T>
class ChunkedStore {
  public:
    std::span<const T> Append(std::span<const T> values) {
        if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < values.size()) {
            blocks_.emplace_back();
            blocks_.back().reserve(std::max(kBlock, values.size()));
        }
        Block& block = blocks_.back();
        const size_t at = block.size();
        block.insert(block.end(), values.begin(), values.end());
        return std::span<const T>(block).subspan(at);
    }

    // Every run given out is gone.
    void Clear() { blocks_ = std::vector<Block>(); }

  private:
    using Block = std::vector<T, LargePageAllocator<T>>;
    static constexpr size_t kBlock = size_t{1} << 20;
    std::vector<Block> blocks_;
};

}  // namespace ravelin
