// The fast paths must print exactly what the literal try order prints, report and TSV, on
// folders where matches at every shift and near the threshold are common.

#include "CliRunner.h"
#include "TempFolder.h"
#include "ui/cli/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

namespace ravelin::cli {
namespace {

using testing::TempFolder;

std::string Scan(std::vector<std::string> args) {
    args.insert(args.begin(), "scan");
    const testing::CliRun run = testing::RunCli(args);
    return std::to_string(run.status) + "\n" + run.out + run.err;
}

// Texts over a small vocabulary, most of them edited and shifted copies of a few originals.
class GeneratedFolders {
  public:
    GeneratedFolders(uint32_t seed, int vocabulary) : random_(seed), vocabulary_(vocabulary) {
        for (int i = 0; i < 3; ++i) {
            originals_.push_back(Words(400));
        }
        for (const char* side : {"first", "second"}) {
            const auto folder = root_.Path() / side;
            std::filesystem::create_directory(folder);
            for (int i = 0; i < 30; ++i) {
                std::ofstream(folder / ("f" + std::to_string(100 + i) + ".txt"), std::ios::binary)
                    << Text();
            }
        }
    }
    std::string First() const { return root_ / "first"; }
    std::string Second() const { return root_ / "second"; }

  private:
    std::vector<std::string> Words(int count) {
        std::vector<std::string> words;
        std::uniform_int_distribution<int> pick(0, vocabulary_);
        for (int i = 0; i < count; ++i) {
            words.push_back("word" + std::to_string(pick(random_)));
        }
        return words;
    }

    std::string Text() {
        std::vector<std::string> words;
        if (random_() % 5 == 0) {
            words = Words(250);
        } else {
            const auto& original = originals_[random_() % originals_.size()];
            const size_t start = random_() % 40;
            words.assign(original.begin() + static_cast<long>(start), original.end());
            for (int e = static_cast<int>(random_() % 12); e > 0; --e) {
                words[random_() % 120] = Words(1).front();
            }
        }
        std::string text;
        for (size_t i = 0; i < words.size(); ++i) {
            text += words[i] + (i % 9 == 8 ? "\r\n" : " ");
        }
        return text;
    }

    TempFolder root_;
    std::mt19937 random_;
    int vocabulary_;
    std::vector<std::vector<std::string>> originals_;
};

TEST(FastScan, EveryPathPrintsWhatTheLiteralScanPrints) {
    struct Row {
        uint32_t seed;
        int vocabulary;
        std::vector<std::string> settings;
    };
    const std::vector<Row> rows = {
        {1, 30, {"--words", "20", "--threshold", "90"}},
        {2, 8, {"--words", "20", "--threshold", "50"}},
        {3, 15, {"--words", "21", "--threshold", "70", "--skip1", "3"}},
        {4, 40, {"--words", "35", "--threshold", "100", "--skip2", "5"}},
        {5, 12, {"--words", "20", "--threshold", "60", "--show", "100"}},
        {6, 60, {"--words", "100", "--threshold", "90"}},
    };
    for (const Row& row : rows) {
        const GeneratedFolders folders(row.seed, row.vocabulary);
        for (const char* format : {"report", "tsv"}) {
            std::vector<std::string> args = row.settings;
            args.insert(args.end(), {"--format", format});
            const auto run = [&](std::vector<std::string> extra) {
                std::vector<std::string> all = args;
                all.insert(all.end(), extra.begin(), extra.end());
                all.insert(all.end(), {folders.First(), folders.Second()});
                return Scan(all);
            };
            const std::string literal = run({"--literal"});
            EXPECT_NE(literal.find(format == std::string("tsv") ? "\t" : "matches"),
                      std::string::npos)
                << "seed " << row.seed << ": the folders should hold matches";
            EXPECT_EQ(run({"--jobs", "1"}), literal) << "seed " << row.seed << " " << format;
            EXPECT_EQ(run({"--jobs", "3"}), literal) << "seed " << row.seed << " " << format;
        }
    }
}

TEST(FastScan, RealProseGivesTheSameReport) {
    const std::string samples = std::string(RAVELIN_SOURCE_DIR) + "/data/samples";
    for (const char* threshold : {"50", "90"}) {
        const std::vector<std::string> folders = {samples + "/first", samples + "/second"};
        std::vector<std::string> literal = {"--threshold", threshold, "--literal"};
        std::vector<std::string> fast = {"--threshold", threshold, "--jobs", "2"};
        literal.insert(literal.end(), folders.begin(), folders.end());
        fast.insert(fast.end(), folders.begin(), folders.end());
        EXPECT_EQ(Scan(fast), Scan(literal)) << threshold;
    }
}

}  // namespace
}  // namespace ravelin::cli
