// The costs of a passage scan apart from reading: making a file's fingerprints (per file, with
// the memory the scan keeps per indexed word), comparing one 2nd-folder text with the 1st-folder
// files the index names (per candidate), and writing a pair's passages (per passage).

#include "engine/PassageIndex.h"
#include "engine/PassageSearch.h"
#include "output/PassageJsonSink.h"
#include "output/PassageTsvSink.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int32_t kWords = 2000;  // about a licence text
constexpr int32_t kMinWords = 15;

// Random words of a 5,000-word vocabulary by number, with their hashes.
struct Text {
    std::vector<uint32_t> ids;
    std::vector<uint64_t> hashes;
};

Text RandomText(std::mt19937& random, int32_t words) {
    Text text;
    for (int32_t i = 0; i < words; ++i) {
        text.ids.push_back(static_cast<uint32_t>(random() % 5000));
        text.hashes.push_back(ravelin::WordDictionary::HashOf(std::to_string(text.ids.back())));
    }
    return text;
}

void BM_PassageFilePrepared(benchmark::State& state) {
    std::mt19937 random(1);
    const Text text = RandomText(random, kWords);
    size_t fingerprints = 0;
    for (auto _ : state) {
        const auto chosen = ravelin::Fingerprints(text.hashes, kMinWords);
        fingerprints = chosen.size();
        benchmark::DoNotOptimize(chosen.data());
    }
    // What the scan keeps of each 1st-folder word: its number, its bytes and its share of the
    // index's postings.
    std::vector<ravelin::ByteSpan> spans;
    for (uint64_t w = 0; w < kWords; ++w) {
        spans.push_back({w * 7, 6});
    }
    const double kept = sizeof(uint32_t) * kWords +
                        static_cast<double>(ravelin::WordSpans(spans).Bytes()) +
                        static_cast<double>(fingerprints * sizeof(ravelin::Posting));
    state.counters["bytes_per_word"] = kept / kWords;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_PassageFilePrepared);

// A 2nd-folder text that shares a 200-word passage with each of `range(0)` 1st-folder files,
// the boilerplate case: every file is a candidate and a pair.
void BM_PassagePerCandidate(benchmark::State& state) {
    std::mt19937 random(2);
    const auto files = static_cast<int32_t>(state.range(0));
    const Text second = RandomText(random, kWords);
    std::vector<ravelin::IndexedText> first(static_cast<size_t>(files));
    std::vector<std::vector<ravelin::Fingerprint>> fingerprints1(static_cast<size_t>(files));
    std::vector<Text> texts1(static_cast<size_t>(files));
    std::vector<uint64_t> wordHashes(5000);
    for (uint32_t id = 0; id < 5000; ++id) {
        wordHashes[id] = ravelin::WordDictionary::HashOf(std::to_string(id));
    }
    for (int32_t f = 0; f < files; ++f) {
        Text& text = texts1[static_cast<size_t>(f)];
        text = RandomText(random, kWords);
        std::copy(second.ids.begin() + 900, second.ids.begin() + 1100, text.ids.begin() + 300);
        text.hashes.clear();
        for (const uint32_t id : text.ids) {
            text.hashes.push_back(wordHashes[id]);
        }
        fingerprints1[static_cast<size_t>(f)] = ravelin::Fingerprints(text.hashes, kMinWords);
        first[static_cast<size_t>(f)].ids = text.ids;
    }
    ravelin::PassageIndex index;
    index.Build(files, [&fingerprints1](int32_t f) -> const std::vector<ravelin::Fingerprint>& {
        return fingerprints1[static_cast<size_t>(f)];
    });
    const auto fingerprints = ravelin::Fingerprints(second.hashes, kMinWords);
    const ravelin::SecondText text{second.ids, second.hashes, nullptr, fingerprints};
    ravelin::PassageSearch search({kMinWords, 3}, index, first, wordHashes, nullptr);
    for (auto _ : state) {
        const auto found = search.Find(text);
        benchmark::DoNotOptimize(found.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * files);
}
BENCHMARK(BM_PassagePerCandidate)->Arg(100)->Arg(1000);

class DiscardingBuffer final : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

template <class Sink>
void WritePassages(benchmark::State& state, Sink& sink) {
    ravelin::PairPassages pair;
    for (int32_t p = 0; p < 10; ++p) {
        pair.passages.push_back({p * 100,
                                 p * 100 + 40,
                                 p * 90,
                                 p * 90 + 40,
                                 40,
                                 {uint64_t(p) * 700, 280},
                                 {uint64_t(p) * 630, 280}});
    }
    pair.total1 = pair.total2 = 2000;
    ravelin::Summarise(pair);
    const ravelin::WordDictionary dictionary;
    const std::string name1 = "copyright-libreoffice-help-common-documentation.txt";
    const std::string name2 = "scaled-123456.txt";
    int32_t number = 0;
    for (auto _ : state) {
        pair.index1 = number % 4000;
        pair.index2 = number++ % 3000;
        sink.OnPairFound({name1, name2, pair, dictionary, {}});
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 10);
}

void BM_PassageWrittenTsv(benchmark::State& state) {
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    ravelin::PassageTsvSink sink(out);
    WritePassages(state, sink);
}
BENCHMARK(BM_PassageWrittenTsv);

void BM_PassageWrittenJson(benchmark::State& state) {
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    const ravelin::MatchGroups groups;
    ravelin::PassageJsonSink sink(out, groups);
    WritePassages(state, sink);
}
BENCHMARK(BM_PassageWrittenJson);

}  // namespace
