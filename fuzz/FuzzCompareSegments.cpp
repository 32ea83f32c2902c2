// CompareSegments against a re-derivation from its description, and the pruned matcher against
// the literal try order, on word lists drawn from the input over a tiny vocabulary.

#include "FuzzCheck.h"
#include "engine/PrunedMatcher.h"
#include "engine/SegmentMatcher.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using ravelin::fuzz::Check;

namespace {

int Derive(const std::vector<uint32_t>& w1, const std::vector<uint32_t>& w2, int mode, int d, int n,
           int t) {
    int equal = 0;
    const int length = 2 * n - d;
    for (int i = 1; i <= length; ++i) {
        const uint32_t a = mode == 2 ? w1[i + d - 1] : w1[i - 1];
        const uint32_t b = mode == 2 ? w2[i - 1] : w2[i + d - 1];
        if (a == b) {
            ++equal;
            if (2 * i >= n && equal * 100 / i >= t) {
                return equal * 100 / i;
            }
        }
    }
    return equal * 100 / length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    const int n = 20 + data[0] % 6;
    const int t = 50 + data[1] % 51;
    const int vocabulary = 2 + data[2] % 6;
    size_t at = 3;
    const auto next = [&] { return at < size ? data[at++] % vocabulary : 0u; };

    ravelin::WordDictionary dictionary;
    for (int v = 0; v < vocabulary; ++v) {
        dictionary.Intern("w" + std::to_string(v));
    }
    constexpr int kFiles = 3;
    ravelin::FirstFolderTable table;
    table.Dimension(2 * n, kFiles);
    for (int k = 0; k < kFiles; ++k) {
        std::vector<uint32_t> ids;
        for (int i = 0; i < 2 * n; ++i) {
            ids.push_back(next());
        }
        table.Store(k, "f", ids);
    }
    std::vector<uint32_t> ids2;
    std::vector<std::string> words2;
    for (int i = 0; i < 2 * n; ++i) {
        ids2.push_back(next());
        words2.emplace_back(dictionary.Word(ids2.back()));
    }
    ravelin::FirstFolderIndex index;
    index.Build(table, n, t);
    ravelin::PairProbe probe(index);
    probe.Begin(ids2);
    for (int k = 0; k < kFiles; ++k) {
        const ravelin::SegmentSides sides{table.Ids(k), ids2, dictionary, words2};
        const std::vector<uint32_t> w1(sides.ids1.begin(), sides.ids1.end());
        for (const int mode : {2, 1}) {
            for (int d = 0; d <= n; ++d) {
                Check(ravelin::CompareSegments(sides, mode, d, n, t, nullptr) ==
                      Derive(w1, ids2, mode, d, n, t));
            }
        }
        const auto literal = ravelin::FindFirstMatch(sides, n, t);
        const auto pruned = probe.Match(sides, k);
        Check(literal.has_value() == pruned.has_value());
        if (literal) {
            Check(literal->percent == pruned->percent && literal->mode == pruned->mode &&
                  literal->offset == pruned->offset);
        }
    }
    return 0;
}
