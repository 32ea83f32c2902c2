#include "engine/PrunedMatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ravelin {
namespace {

// A 1st folder of word windows over a small vocabulary, many of them edited copies of a few
// originals shifted by a few words, so that matches at many shifts and near the threshold are
// common; the 2nd-folder windows are made the same way.
class RandomFolders {
  public:
    RandomFolders(int32_t n, uint32_t seed, int vocabulary, int files)
        : n_(n), random_(seed), vocabulary_(vocabulary) {
        for (int i = 0; i < 4; ++i) {
            originals_.push_back(RandomWords(4 * n));
        }
        table_.Dimension(2 * n, files);
        for (int k = 0; k < files; ++k) {
            if (k % 11 == 5) {
                table_.StoreTooSmall(k, "small");
                continue;
            }
            std::vector<uint32_t> ids;
            for (const std::string& word : Window()) {
                ids.push_back(dictionary_.Intern(word));
            }
            table_.Store(k, "file", ids);
        }
    }

    std::vector<std::string> Window() {
        std::uniform_int_distribution<int> kind(0, 3);
        if (kind(random_) == 0) {
            return RandomWords(2 * n_);
        }
        const auto& original = originals_[random_() % originals_.size()];
        std::uniform_int_distribution<int> start(0, 2 * n_);
        std::vector<std::string> words(original.begin() + start(random_), original.end());
        words.resize(static_cast<size_t>(2 * n_));
        std::uniform_int_distribution<int> edits(0, n_ / 3);
        std::uniform_int_distribution<int> at(0, 2 * n_ - 1);
        for (int e = edits(random_); e > 0; --e) {
            words[static_cast<size_t>(at(random_))] = Word();
        }
        return words;
    }

    const FirstFolderTable& Table() const { return table_; }
    const WordDictionary& Dictionary() const { return dictionary_; }

  private:
    std::string Word() {
        return "v" + std::to_string(std::uniform_int_distribution<int>(0, vocabulary_)(random_));
    }
    std::vector<std::string> RandomWords(int count) {
        std::vector<std::string> words;
        for (int i = 0; i < count; ++i) {
            words.push_back(Word());
        }
        return words;
    }

    int32_t n_;
    std::mt19937 random_;
    int vocabulary_;
    std::vector<std::vector<std::string>> originals_;
    WordDictionary dictionary_;
    FirstFolderTable table_;
};

TEST(PrunedMatcher, FindsExactlyWhatTheTryOrderFinds) {
    struct Setting {
        int32_t n;
        int32_t t;
        int vocabulary;
    };
    const Setting settings[] = {{20, 90, 40},  {20, 50, 6},  {20, 60, 10},   {21, 75, 12},
                                {25, 100, 30}, {20, 95, 25}, {100, 90, 200}, {33, 55, 8}};
    int matches = 0;
    int compared = 0;
    for (const Setting& setting : settings) {
        RandomFolders folders(setting.n, static_cast<uint32_t>(setting.n * 131 + setting.t),
                              setting.vocabulary, 60);
        FirstFolderIndex index;
        index.Build(folders.Table(), setting.n, setting.t);
        PairProbe probe(index);
        for (int file = 0; file < 30; ++file) {
            const std::vector<std::string> words = folders.Window();
            std::vector<uint32_t> ids;
            for (const std::string& word : words) {
                ids.push_back(folders.Dictionary().Find(word));
            }
            probe.Begin(ids);
            for (int32_t k = 0; k < folders.Table().FileCount(); ++k) {
                if (folders.Table().TooSmall(k)) {
                    continue;
                }
                const SegmentSides sides{folders.Table().Ids(k), ids, folders.Dictionary(), words};
                const auto expected = FindFirstMatch(sides, setting.n, setting.t);
                const auto found = probe.Match(sides, k);
                ++compared;
                ASSERT_EQ(found.has_value(), expected.has_value())
                    << "N=" << setting.n << " T=" << setting.t << " k=" << k;
                if (expected) {
                    ++matches;
                    EXPECT_EQ(found->percent, expected->percent);
                    EXPECT_EQ(found->mode, expected->mode);
                    EXPECT_EQ(found->offset, expected->offset);
                    EXPECT_EQ(found->texts.strSegment1, expected->texts.strSegment1);
                    EXPECT_EQ(found->texts.strSegment2, expected->texts.strSegment2);
                }
            }
        }
    }
    // Both outcomes must be common for the comparison to mean anything.
    EXPECT_GT(matches, compared / 10);
    EXPECT_LT(matches, compared * 9 / 10);
}

}  // namespace
}  // namespace ravelin
