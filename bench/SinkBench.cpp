// The cost of one match written: the tab-separated line and the JSON line of a match between two
// files with names of realistic length, written into a stream that discards what it gets.

#include "output/TsvSink.h"
#include "output/JsonSink.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

class DiscardingBuffer final : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

template <class Sink>
void WriteMatches(benchmark::State& state, Sink& sink) {
    ravelin::WordDictionary dictionary;
    std::vector<uint32_t> ids;
    std::vector<std::string> words;
    for (int i = 0; i < 40; ++i) {
        words.push_back("word" + std::to_string(i));
        ids.push_back(dictionary.Intern(words.back()));
    }
    const ravelin::SegmentSides sides{ids, ids, dictionary, words};
    const std::string name1 = "copyright-libreoffice-help-common-documentation.txt";
    const std::string name2 = "scaled-123456.txt";
    int32_t number = 0;
    for (auto _ : state) {
        const ravelin::SegmentWords segments(sides, {100, 2, 0}, 20, 90);
        sink.OnMatch({number % 4000, number % 3000, name1, name2, 100, 2, 0, ++number, segments});
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void BM_TsvMatchWritten(benchmark::State& state) {
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    ravelin::TsvSink sink(out);
    WriteMatches(state, sink);
}

void BM_JsonMatchWritten(benchmark::State& state) {
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    ravelin::JsonSink sink(out, nullptr);
    WriteMatches(state, sink);
}

}  // namespace

BENCHMARK(BM_TsvMatchWritten);
BENCHMARK(BM_JsonMatchWritten);
