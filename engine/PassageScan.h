#pragma once

// A scan for passages: the folders are listed as a scan lists them, every 1st-folder file is
// read whole, reduced and indexed, and every 2nd-folder file is compared with the 1st-folder
// files the index names. Each pair that shares a passage is told to the sinks, by 2nd-folder
// file and then by 1st-folder file, whatever the number of jobs.

#include "engine/Passages.h"
#include "engine/Scan.h"
#include "engine/ScanSink.h"
#include "engine/WordDictionary.h"

#include <array>
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ravelin {

struct PassageOptions {
    std::array<std::string, 2> folders;
    PassageRules rules;
    std::vector<std::string> commonPaths;  // files, or folders of text files
    int32_t maxFiles = 0;  // a window in more 1st-folder files than this is common; 0: off
    int jobs = 1;
    // In a scan of a folder with itself, each pair is compared once and kept for its mirror
    // image until that is reported; the pairs kept at once stay under this, and the files past
    // it are compared both ways, so that a folder of copies does not fill the memory.
    int64_t mirroredPairs = 250'000;
};

struct PassagePairFound {
    const std::string& name1;
    const std::string& name2;
    const PairPassages& pair;
    const WordDictionary& dictionary;
    std::span<const uint32_t> words1;  // the 1st-folder file's words by number

    // Words [start, end) of the 1st-folder file, in Windows-1252, each followed by one space.
    std::string Words1(int32_t start, int32_t end) const;
};

struct PassageScanEnded {
    ScanEnd how;
    int32_t pairs;       // pairs that share a passage
    int64_t candidates;  // pairs the index named and that were compared
    double seconds = 0;  // from the scan's start
};

class PassageSink {
  public:
    virtual ~PassageSink() = default;
    virtual void OnFolderListed(const FolderListed& /*event*/) {}
    virtual void OnFileUnreadable(const FileUnreadable& /*event*/) {}
    virtual void OnPairFound(const PassagePairFound& /*event*/) {}
    virtual void OnScanEnded(const PassageScanEnded& /*event*/) {}
    // Whether the sink reads the passages' byte spans: working them out is a good part of the
    // cost of a pair, and is left out when no sink reads them.
    virtual bool NeedsByteSpans() const { return true; }
};

class PassageScan {
  public:
    PassageScan(PassageOptions options, ScanControl control);
    ~PassageScan();
    PassageScan(const PassageScan&) = delete;
    PassageScan& operator=(const PassageScan&) = delete;

    void AddSink(PassageSink& sink) { sinks_.push_back(&sink); }
    // Reads the common text; a path that cannot be read is an error, before any scanning.
    std::optional<Error> Prepare();
    PassageScanEnded Run();

  private:
    struct State;
    template <class Event>
    void Emit(void (PassageSink::*handler)(const Event&), const Event& event);
    bool GoOn() const;
    PassageScanEnded End(ScanEnd how);
    bool FirstPass(const std::vector<std::string>& names);
    void MarkCommonWords();
    std::optional<int32_t> MirroredFiles();
    bool SecondPass(const std::vector<std::string>& names);
    bool Report(const std::vector<PairPassages>& pairs, const std::string& name2);

    PassageOptions options_;
    ScanControl control_;
    std::vector<PassageSink*> sinks_;
    std::unique_ptr<State> state_;
    bool byteSpans_ = true;  // some sink reads the passages' byte spans
    int32_t pairs_ = 0;
    int64_t candidates_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace ravelin
