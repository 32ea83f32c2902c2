// A passage scan of two folders, for timing: prints the pairs found, the pairs compared and the
// seconds. Usage: passage-scan FOLDER1 FOLDER2 [K] [JOBS]
#include "engine/PassageScan.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

class Count : public ravelin::PassageSink {
  public:
    void OnPairFound(const ravelin::PassagePairFound& event) override {
        passages += static_cast<int64_t>(event.pair.passages.size());
        for (const ravelin::Passage& p : event.pair.passages) {
            words += p.end2 - p.start2;
        }
    }
    int64_t passages = 0;
    int64_t words = 0;  // 2nd-side words inside passages, counted once for each pair
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: passage-scan FOLDER1 FOLDER2 [K] [JOBS]\n");
        return 2;
    }
    ravelin::PassageOptions options;
    options.folders = {argv[1], argv[2]};
    options.rules.minWords = argc > 3 ? std::stoi(argv[3]) : 15;
    options.jobs =
        argc > 4 ? std::stoi(argv[4]) : static_cast<int>(std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    ravelin::PassageScan scan(options, ravelin::ScanControl{});
    Count count;
    scan.AddSink(count);
    if (const auto error = scan.Prepare()) {
        std::fprintf(stderr, "%s\n", error->message.c_str());
        return 1;
    }
    const ravelin::PassageScanEnded ended = scan.Run();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("pairs %d candidates %lld passages %lld words %lld seconds %.3f\n", ended.pairs,
                static_cast<long long>(ended.candidates), static_cast<long long>(count.passages),
                static_cast<long long>(count.words), seconds.count());
    return ended.how == ravelin::ScanEnd::Complete ? 0 : 1;
}
