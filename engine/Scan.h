#pragma once

// One scan from its options to its sinks: the 1st folder is listed, read and stored, then every
// file of the 2nd folder is read and compared with each stored file. The comparison may be
// literal, pruned or spread over threads; the events are the same in every case.
//
// The scan runs on the caller's thread, with workers reading and comparing files ahead of it, and
// yields through its control twice per file, so that a window can handle clicks there, nested in
// the scan; a stop requested there, or asked for between two matches, ends the scan at once.

#include "engine/ScanOptions.h"
#include "engine/ScanSink.h"
#include "engine/ScanState.h"
#include "engine/SecondPass.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace ravelin {

struct FolderFiles;

struct ScanControl {
    std::function<void()> yield;  // may be empty
    std::function<bool()> stopRequested;
};

class Scan {
  public:
    Scan(ScanOptions options, ScanControl control);

    void AddSink(ScanSink& sink) { sinks_.push_back(&sink); }
    ScanEnded Run();

    const ScanOptions& Options() const { return options_; }
    // The word tables and the last comparison, kept until the scan is replaced.
    const ScanState& State() const { return state_; }
    ScanState& State() { return state_; }

  private:
    // Tells every sink, in the order they were added.
    template <class... Params, class... Args>
    void Emit(void (ScanSink::*handler)(Params...), const Args&... args);
    bool YieldAndGoOn() const;
    ScanEnded End(ScanEnd how);
    std::optional<ScanEnd> Listed(ScanPass pass, const FolderFiles& files);
    bool FirstPass(const std::vector<std::string>& names);
    bool SecondPass(const std::vector<std::string>& names);
    bool ReportMatches(int32_t j, const std::vector<PairMatch>& matches);

    ScanOptions options_;
    ScanControl control_;
    std::vector<ScanSink*> sinks_;
    ScanState state_;
    int32_t matches_ = 0;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace ravelin
