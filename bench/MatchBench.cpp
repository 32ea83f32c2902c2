// The full try order of a pair that does not match: 2 x (N + 1) comparisons, each over the
// whole window.

#include "engine/SegmentMatcher.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

void BM_TryOrderNonMatchingPair(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(0, 999);
    ravelin::WordDictionary dictionary;
    std::vector<uint32_t> ids1;
    std::vector<uint32_t> ids2;
    std::vector<std::string> words2;
    for (int32_t i = 0; i < 2 * n; ++i) {
        ids1.push_back(dictionary.Intern("first" + std::to_string(pick(random))));
        words2.push_back("second" + std::to_string(pick(random)));
        ids2.push_back(dictionary.Find(words2.back()));
    }
    const ravelin::SegmentSides sides{ids1, ids2, dictionary, words2};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ravelin::FindFirstMatch(sides, n, 90));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_TryOrderNonMatchingPair)->Arg(20)->Arg(50)->Arg(100);
