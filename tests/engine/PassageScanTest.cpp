#include "engine/PassageScan.h"
#include "engine/TextReader.h"
#include "engine/TextReduction.h"
#include "engine/TracedReduction.h"
#include "files/FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <unistd.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

Words ReaderWords(const fs::path& path) {
    ReaderResult read = ReadTextByChars(path.string(), 0);
    Words words;
    words.resize(static_cast<size_t>(ReduceToWords(read.text, 0, words)));
    return words;
}

// The passages of two word lists, straight from their definition, every window compared with
// every other word by word.
struct Reference {
    int32_t k;
    int32_t gap;
    std::set<Words> common;

    std::vector<bool> CommonWords(const Words& w) const {
        std::vector<bool> marks(w.size(), false);
        for (size_t i = 0; i + k <= w.size(); ++i) {
            if (common.count(Words(w.begin() + i, w.begin() + i + k)) > 0) {
                std::fill(marks.begin() + i, marks.begin() + i + k, true);
            }
        }
        return marks;
    }

    std::vector<Passage> Passages(const Words& a, const Words& b) const {
        const std::vector<bool> ca = CommonWords(a);
        const std::vector<bool> cb = CommonWords(b);
        auto eq = [&](size_t i, size_t j) { return a[i] == b[j] && !ca[i] && !cb[j]; };
        auto windowEq = [&](size_t i, size_t j) {
            for (size_t t = 0; t < static_cast<size_t>(k); ++t) {
                if (!eq(i + t, j + t)) {
                    return false;
                }
            }
            return true;
        };
        std::set<std::tuple<int32_t, int32_t, int32_t>> runs;
        // The run through a shared window; gives where it ends on the side being covered.
        auto runThrough = [&](size_t i, size_t j, bool coveringFirst) {
            while (i > 0 && j > 0 && eq(i - 1, j - 1)) {
                --i, --j;
            }
            size_t l = 0;
            while (i + l < a.size() && j + l < b.size() && eq(i + l, j + l)) {
                ++l;
            }
            runs.insert(
                {static_cast<int32_t>(i), static_cast<int32_t>(j), static_cast<int32_t>(l)});
            return (coveringFirst ? i : j) + l;
        };
        size_t covered = 0;
        for (size_t i = 0; i + k <= a.size(); ++i) {
            for (size_t j = 0; i + k > covered && j + k <= b.size(); ++j) {
                if (windowEq(i, j)) {
                    covered = runThrough(i, j, true);
                    break;
                }
            }
        }
        covered = 0;
        for (size_t j = 0; j + k <= b.size(); ++j) {
            for (size_t i = 0; j + k > covered && i + k <= a.size(); ++i) {
                if (windowEq(i, j)) {
                    covered = runThrough(i, j, false);
                    break;
                }
            }
        }
        return Join(runs);
    }

    std::vector<Passage> Join(const std::set<std::tuple<int32_t, int32_t, int32_t>>& runs) const {
        std::vector<Passage> passages;
        std::vector<bool> open;
        for (const auto& [s1, s2, len] : runs) {
            int found = -1;
            for (int p = static_cast<int>(passages.size()) - 1; p >= 0 && found < 0; --p) {
                const Passage& q = passages[static_cast<size_t>(p)];
                if (!open[static_cast<size_t>(p)] || q.end1 + gap < s1) {
                    open[static_cast<size_t>(p)] = false;
                    continue;
                }
                const int32_t span1 = s1 + len - q.start1;
                const int32_t span2 = s2 + len - q.start2;
                if (s1 >= q.end1 && s2 >= q.end2 && s1 - q.end1 <= gap && s2 - q.end2 <= gap &&
                    (q.equal + len) * 5 >= std::max(span1, span2) * 4) {
                    found = p;
                }
            }
            if (found >= 0) {
                Passage& q = passages[static_cast<size_t>(found)];
                q.end1 = s1 + len;
                q.end2 = s2 + len;
                q.equal += len;
            } else {
                passages.push_back(Passage{s1, s1 + len, s2, s2 + len, len, {}, {}});
                open.push_back(true);
            }
        }
        std::sort(passages.begin(), passages.end(), [](const Passage& x, const Passage& y) {
            return std::tie(x.start1, x.start2) < std::tie(y.start1, y.start2);
        });
        return passages;
    }
};

// How a word may be stored: plain, UTF-8, Windows-1252, capitals; between words plain spaces,
// CR LF, a lone LF, punctuation and an em dash.
const std::vector<Words> kSpellings = {
    {"alpha", "ALPHA"},
    {"caf\xC3\xA9", "caf\xE9", "CAF\xC3\x89"},
    {"gamma"},
    {"delta", "Delta"},
    {"stra\xC3\x9F"
     "e",
     "stra\xDF"
     "e"},
    {"omega"},
};
const Words kSeparators = {" ", "\r\n", "\n", ", ", " \xE2\x80\x94 ", "\r\n\r\n", "; "};

// Words past the spellings are plain numbered ones, for a vocabulary that is not tiny.
std::string Store(const std::vector<int>& words, std::mt19937& random) {
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) {
        const auto w = static_cast<size_t>(words[i]);
        if (w >= kSpellings.size()) {
            text += "word" + std::to_string(w);
            text += kSeparators[random() % kSeparators.size()];
            continue;
        }
        const Words& spellings = kSpellings[w];
        text += spellings[random() % spellings.size()];
        text += kSeparators[random() % kSeparators.size()];
    }
    return text;
}

struct Found {
    std::vector<PairPassages> pairs;
    std::vector<std::string> unreadable;
    int64_t candidates = 0;
};

class Collect : public PassageSink {
  public:
    explicit Collect(Found& found) : found_(found) {}
    void OnPairFound(const PassagePairFound& event) override { found_.pairs.push_back(event.pair); }
    void OnFileUnreadable(const FileUnreadable& event) override {
        found_.unreadable.push_back(event.path);
    }

  private:
    Found& found_;
};

// A sink that reads no byte spans, as a table of figures: the spans still reach the sinks that do.
class Figures : public PassageSink {
  public:
    bool NeedsByteSpans() const override { return false; }
};

class PassageScanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("ravelin-passages-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "one");
        fs::create_directories(root_ / "two");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Random texts over a tiny vocabulary, with planted copies of K - 1, K and K + 1 words,
    // copies broken by gaps of G and G + 1 words, and copies at the very start and end.
    void Generate(std::mt19937& random, int32_t k, int32_t gap, int files, int vocabulary) {
        std::vector<std::vector<int>> texts1;
        auto randomWords = [&](int n) {
            std::vector<int> w;
            for (int i = 0; i < n; ++i) {
                w.push_back(static_cast<int>(random() % static_cast<unsigned>(vocabulary)));
            }
            return w;
        };
        for (int f = 0; f < files; ++f) {
            texts1.push_back(randomWords(10 + static_cast<int>(random() % 60)));
            Write(root_ / "one" / ("f" + std::to_string(f) + ".txt"), Store(texts1.back(), random));
        }
        for (int f = 0; f < files; ++f) {
            std::vector<int> text;
            const std::vector<int>& source = texts1[random() % texts1.size()];
            const int lengths[] = {k - 1, k, k + 1, 2 * k + gap + 1, 3 * k};
            const int length =
                std::min<int>(lengths[random() % 5], static_cast<int>(source.size()));
            const size_t from = random() % (source.size() - static_cast<size_t>(length) + 1);
            std::vector<int> copy(source.begin() + static_cast<long>(from),
                                  source.begin() + static_cast<long>(from) + length);
            if (copy.size() >= static_cast<size_t>(2 * k + gap + 1)) {
                // K words, a gap of G or G + 1 changed words, then K words or more.
                const size_t at = static_cast<size_t>(k);
                const int gapWords = gap + static_cast<int>(random() % 2);
                for (int g = 0; g < gapWords; ++g) {
                    copy[at + static_cast<size_t>(g)] = vocabulary + g;
                }
            }
            const int where = static_cast<int>(random() % 3);  // start, middle, end
            const std::vector<int> before = where == 0 ? std::vector<int>() : randomWords(20);
            const std::vector<int> after = where == 2 ? std::vector<int>() : randomWords(20);
            text.insert(text.end(), before.begin(), before.end());
            text.insert(text.end(), copy.begin(), copy.end());
            text.insert(text.end(), after.begin(), after.end());
            Write(root_ / "two" / ("g" + std::to_string(f) + ".txt"), Store(text, random));
        }
    }

    Found RunScan(const PassageOptions& options) {
        Found found;
        Collect sink(found);
        Figures figures;
        PassageScan scan(options, ScanControl{});
        scan.AddSink(sink);
        scan.AddSink(figures);
        EXPECT_FALSE(scan.Prepare());
        const PassageScanEnded ended = scan.Run();
        EXPECT_EQ(ended.how, ScanEnd::Complete);
        found.candidates = ended.candidates;
        return found;
    }

    std::vector<fs::path> Listed(const char* folder) {
        std::vector<std::string> names;
        std::string error;
        ListFiles((root_ / folder).string(), names, "*.txt", error);
        std::vector<fs::path> paths;
        for (const std::string& name : names) {
            paths.push_back(root_ / folder / name);
        }
        return paths;
    }

    fs::path root_;
};

void ExpectTrueOfTheWords(const Words& a, const Words& b, const PairPassages& pair, int32_t k,
                          const std::string& stored1, const std::string& stored2) {
    for (const Passage& p : pair.passages) {
        ASSERT_TRUE(
            std::equal(a.begin() + p.start1, a.begin() + p.start1 + k, b.begin() + p.start2));
        ASSERT_TRUE(std::equal(a.begin() + p.end1 - k, a.begin() + p.end1, b.begin() + p.end2 - k));
        ASSERT_GE(p.equal * 5, std::max(p.end1 - p.start1, p.end2 - p.start2) * 4);
        const Words own1 =
            ReduceStoredTextToWords(stored1.substr(p.bytes1.offset, p.bytes1.length)).words;
        const Words own2 =
            ReduceStoredTextToWords(stored2.substr(p.bytes2.offset, p.bytes2.length)).words;
        ASSERT_EQ(own1, Words(a.begin() + p.start1, a.begin() + p.end1));
        ASSERT_EQ(own2, Words(b.begin() + p.start2, b.begin() + p.end2));
    }
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PassageEquivalence : public PassageScanTest, public ::testing::WithParamInterface<int> {};

TEST_P(PassageEquivalence, IndexGivesExactlyTheAllPairsPassages) {
    std::mt19937 random(1919);
    // With K = 8 a gap of G + 1 still leaves a join 80 % equal, so only the gap rule stops it.
    const int32_t k = 8;
    const int32_t gap = 2;
    Generate(random, k, gap, 30, GetParam());
    // Copies in the 1st folder too, so that its files share passages with each other.
    for (int f = 0; f < 12; ++f) {
        const std::string name = "g" + std::to_string(f) + ".txt";
        fs::copy_file(root_ / "two" / name, root_ / "one" / name);
    }
    // A phrase said over and over gives more seeds than words: such pairs go the other way.
    std::vector<int> repeated;
    for (int i = 0; i < 300; ++i) {
        repeated.push_back(i % 3);
    }
    Write(root_ / "one" / "repeated.txt", Store(repeated, random));
    repeated.resize(200);
    Write(root_ / "two" / "repeated.txt", Store(repeated, random));
    Write(root_ / "common.txt", "gamma gamma gamma gamma gamma gamma gamma gamma");
    const Reference reference{k, gap, {Words(8, "gamma")}};
    // Two folders, and a folder with itself, whose files are read once for both sides and
    // whose pairs are compared one way for all files, for none, or for the first few.
    const std::vector<std::tuple<const char*, int, int64_t>> runs = {
        {"two", 1, 0},         {"two", 2, 0}, {"one", 1, 1'000'000},
        {"one", 2, 1'000'000}, {"one", 2, 0}, {"one", 1, 40},
    };
    std::map<std::string, int64_t> candidates;  // by 2nd folder, as the first run counted them
    for (const auto& [second, jobs, mirroredPairs] : runs) {
        PassageOptions options;
        options.folders = {(root_ / "one").string(), (root_ / second).string()};
        options.rules = PassageRules{k, gap};
        options.commonPaths = {(root_ / "common.txt").string()};
        options.jobs = jobs;
        options.mirroredPairs = mirroredPairs;
        const Found found = RunScan(options);
        EXPECT_EQ(candidates.try_emplace(second, found.candidates).first->second, found.candidates);
        const std::vector<fs::path> one = Listed("one");
        const std::vector<fs::path> two = Listed(second);
        size_t next = 0;
        for (size_t j = 0; j < two.size(); ++j) {
            const Words b = ReaderWords(two[j]);
            for (size_t i = 0; i < one.size(); ++i) {
                const Words a = ReaderWords(one[i]);
                const std::vector<Passage> expected = reference.Passages(a, b);
                if (expected.empty()) {
                    continue;
                }
                ASSERT_LT(next, found.pairs.size());
                const PairPassages& pair = found.pairs[next++];
                ASSERT_EQ(pair.index1, static_cast<int32_t>(i));
                ASSERT_EQ(pair.index2, static_cast<int32_t>(j));
                ASSERT_EQ(pair.passages.size(), expected.size()) << one[i] << " " << two[j];
                for (size_t p = 0; p < expected.size(); ++p) {
                    const Passage& got = pair.passages[p];
                    EXPECT_EQ(std::tie(got.start1, got.end1, got.start2, got.end2, got.equal),
                              std::tie(expected[p].start1, expected[p].end1, expected[p].start2,
                                       expected[p].end2, expected[p].equal));
                }
                ExpectTrueOfTheWords(a, b, pair, k, Slurp(one[i]), Slurp(two[j]));
            }
        }
        EXPECT_EQ(next, found.pairs.size());
    }
}

// A tiny vocabulary makes chance runs and repeats everywhere; a larger one lets the index narrow.
INSTANTIATE_TEST_SUITE_P(Vocabularies, PassageEquivalence, ::testing::Values(6, 3000));

TEST_F(PassageScanTest, WindowsInMoreThanMaxFilesAreCommon) {
    const std::string shared = "alpha beta gamma delta epsilon zeta ";
    Write(root_ / "one" / "a.txt", shared + "one1 two2 three3");
    Write(root_ / "one" / "b.txt", "four4 " + shared);
    Write(root_ / "two" / "c.txt", shared);
    PassageOptions options;
    options.folders = {(root_ / "one").string(), (root_ / "two").string()};
    options.rules = PassageRules{5, 1};
    EXPECT_EQ(RunScan(options).pairs.size(), 2U);
    options.maxFiles = 1;
    EXPECT_TRUE(RunScan(options).pairs.empty());
    options.maxFiles = 2;
    EXPECT_EQ(RunScan(options).pairs.size(), 2U);
}

TEST_F(PassageScanTest, SummaryCountsSharedWordsAndFindsTheLongest) {
    Write(root_ / "one" / "a.txt",
          "w001 w002 w003 w004 w005 x001 w006 w007 w008 w009 w010 w011 "
          "y001 y002 y003 y004 y005 y006 y007 y008 y009 y010 y011 y012");
    Write(root_ / "two" / "b.txt",
          "y001 y002 y003 y004 y005 y006 y007 y008 y009 y010 "
          "zzzz zzzz zzzz zzzz zzzz w001 w002 w003 w004 w005");
    PassageOptions options;
    options.folders = {(root_ / "one").string(), (root_ / "two").string()};
    options.rules = PassageRules{5, 3};
    const Found found = RunScan(options);
    ASSERT_EQ(found.pairs.size(), 1U);
    const PairPassages& pair = found.pairs[0];
    ASSERT_EQ(pair.passages.size(), 2U);
    EXPECT_EQ(pair.shared1, 15);
    EXPECT_EQ(pair.shared2, 15);
    EXPECT_EQ(pair.percent1, 62);  // 15 of 24
    EXPECT_EQ(pair.percent2, 75);  // 15 of 20
    EXPECT_EQ(pair.longest, 1);
    EXPECT_EQ(pair.passages[1].bytes1.offset, 12U * 5U);
}

TEST_F(PassageScanTest, UnreadableCommonPathIsAnErrorBeforeTheScan) {
    PassageOptions options;
    options.folders = {(root_ / "one").string(), (root_ / "two").string()};
    options.commonPaths = {(root_ / "missing.txt").string()};
    PassageScan scan(options, ScanControl{});
    const std::optional<Error> error = scan.Prepare();
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("missing.txt"), std::string::npos);
}

}  // namespace
}  // namespace ravelin
