#include "engine/PassageIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace ravelin {
namespace {

// Every run of K equal words that two texts share gives a fingerprint of equal hash at aligned
// places in both, whatever K and wherever the run lies, and fingerprints stay a fraction of the
// words.
TEST(PassageIndex, EverySharedRunGivesAlignedFingerprints) {
    std::mt19937_64 random(31);
    for (const int32_t k : {5, 6, 8, 10, 15, 16, 20, 30, 100}) {
        for (int trial = 0; trial < 40; ++trial) {
            std::vector<uint64_t> a(400);
            std::vector<uint64_t> b(300);
            std::generate(a.begin(), a.end(), random);
            std::generate(b.begin(), b.end(), random);
            const auto at1 = static_cast<int32_t>(random() % (a.size() - k + 1));
            const auto at2 = static_cast<int32_t>(random() % (b.size() - k + 1));
            std::copy_n(a.begin() + at1, k, b.begin() + at2);
            const std::vector<Fingerprint> of1 = Fingerprints(a, k);
            const std::vector<Fingerprint> of2 = Fingerprints(b, k);
            const bool aligned = std::any_of(of1.begin(), of1.end(), [&](const Fingerprint& x) {
                return x.word >= at1 && x.word < at1 + k &&
                       std::any_of(of2.begin(), of2.end(), [&](const Fingerprint& y) {
                           return y.hash == x.hash && y.word - at2 == x.word - at1;
                       });
            });
            ASSERT_TRUE(aligned) << "K " << k << " at " << at1 << ", " << at2;
            EXPECT_LE(of1.size(), a.size() * 3 / 4) << "K " << k;
        }
    }
}

}  // namespace
}  // namespace ravelin
