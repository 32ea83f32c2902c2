#include "engine/ChunkedStore.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace ravelin {
namespace {

// Runs that fill a block, spill into the next and exceed a block's size must each still hold
// what was appended once every run is in.
TEST(ChunkedStore, RunsStayWhereTheyWerePut) {
    const std::vector<size_t> lengths = {0, 3, (size_t{1} << 20) - 4, 2, 1, (size_t{3} << 20), 5};
    ChunkedStore<int> store;
    std::vector<std::vector<int>> appended;
    std::vector<std::span<const int>> runs;
    int next = 0;
    for (const size_t length : lengths) {
        std::vector<int> values(length);
        std::iota(values.begin(), values.end(), next);
        next += static_cast<int>(length);
        runs.push_back(store.Append(values));
        appended.push_back(std::move(values));
    }
    for (size_t r = 0; r < runs.size(); ++r) {
        ASSERT_EQ(runs[r].size(), appended[r].size()) << r;
        EXPECT_TRUE(std::equal(runs[r].begin(), runs[r].end(), appended[r].begin())) << r;
    }
}

}  // namespace
}  // namespace ravelin
