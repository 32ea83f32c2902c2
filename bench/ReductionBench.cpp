// Reduction throughput: a file read by lines, normalised and split, as a scan does it, except
// that the whole file is read so that the figure is per byte of text.

#include "engine/TextReader.h"
#include "engine/TextReduction.h"
#include "engine/TracedReduction.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kTextBytes = size_t{10} << 20;
// 2N + S at their largest: a scan never splits more words than this.
constexpr int32_t kMostWordsAScanNeeds = 700;

std::string MakeWord(std::mt19937& random, bool accented) {
    static const char* const kPlain[] = {"ra",  "ve", "lin",  "to", "mar", "quel", "son", "di",
                                         "ber", "ak", "stro", "nu", "pel", "ith",  "or",  "gan"};
    static const char* const kAccented[] = {"\xC3\xA9", "\xC3\xA0", "\xC3\xB1",
                                            "\xC3\xBC", "\xC3\xA7", "\xC3\xB6"};
    std::uniform_int_distribution<int> syllables(1, 4);
    std::uniform_int_distribution<int> plain(0, 15);
    std::uniform_int_distribution<int> accent(0, 5);
    std::string word;
    for (int i = syllables(random); i > 0; --i) {
        word += kPlain[plain(random)];
        if (accented && accent(random) == 0) {
            word += kAccented[accent(random)];
        }
    }
    return word;
}

// CR LF lines of about 70 characters of plain ASCII.
std::string AsciiText() {
    std::mt19937 random(1);
    std::string text;
    std::string line;
    while (text.size() < kTextBytes) {
        line += MakeWord(random, false);
        line += line.size() % 5 == 0 ? ", " : " ";
        if (line.size() > 70) {
            text += line + "\r\n";
            line.clear();
        }
    }
    return text;
}

// One line of UTF-8 with accented letters, curly quotes and dashes.
std::string Utf8SingleLine() {
    std::mt19937 random(2);
    static const char* const kPunctuation[] = {
        " ", " ", " ", "\xE2\x80\x99", " \xE2\x80\x9C", "\xE2\x80\x9D ", " \xE2\x80\x94 ", ", "};
    std::uniform_int_distribution<int> pick(0, 7);
    std::string text;
    while (text.size() < kTextBytes) {
        text += MakeWord(random, true);
        text += kPunctuation[pick(random)];
    }
    return text;
}

class TextFile {
  public:
    explicit TextFile(const std::string& bytes) {
        char name[] = "/tmp/ravelin-bench-XXXXXX";
        const int fd = ::mkstemp(name);
        ::close(fd);
        path_ = name;
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void ReduceWholeFile(benchmark::State& state, const std::string& bytes) {
    const TextFile file(bytes);
    std::vector<std::string> words;
    for (auto _ : state) {
        ravelin::ReaderResult read = ravelin::ReadTextByLines(file.Path(), 0);
        benchmark::DoNotOptimize(ravelin::ReduceToWords(read.text, kMostWordsAScanNeeds, words));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}

void BM_ReduceAsciiCrLf(benchmark::State& state) {
    ReduceWholeFile(state, AsciiText());
}
void BM_ReduceUtf8SingleLine(benchmark::State& state) {
    ReduceWholeFile(state, Utf8SingleLine());
}

// The whole text, with every word's bytes, as a passage scan reduces it (the text already read).
void TraceWholeText(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        size_t words = 0;
        ravelin::ReduceStoredText(bytes,
                                  [&words](std::string_view, ravelin::ByteSpan) { ++words; });
        benchmark::DoNotOptimize(words);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}

void BM_TraceAsciiCrLf(benchmark::State& state) {
    TraceWholeText(state, AsciiText());
}
void BM_TraceUtf8SingleLine(benchmark::State& state) {
    TraceWholeText(state, Utf8SingleLine());
}

}  // namespace

BENCHMARK(BM_ReduceAsciiCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceUtf8SingleLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceAsciiCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceUtf8SingleLine)->Unit(benchmark::kMillisecond);
