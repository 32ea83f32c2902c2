#pragma once

// A scan kept as its events, so that any format can be written from it after the scan, or while
// it is paused, exactly as if the format had been one of the scan's sinks. The matches are kept
// whole, since a viewer shows them too; the files begun are kept as counts, as no format names
// them.

#include "engine/ScanSink.h"
#include "output/MatchRecord.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ravelin {

class ScanRecording final : public ScanSink {
  public:
    // Every match so far. Each scan makes a new list, so that a viewer of an earlier scan keeps
    // its own.
    std::shared_ptr<const std::vector<MatchRecord>> Matches() const { return matches_; }
    bool HasScan() const { return options_.has_value(); }

    // Tells `sink` every event recorded so far; a scan that has not ended yet ends as stopped.
    void Replay(ScanSink& sink) const;

    void OnScanBegun(const ScanOptions& options) override;
    void OnFolderListed(const FolderListed& event) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnPassEnded(ScanPass pass) override;
    void OnScanEnded(const ScanEnded& event) override;

  private:
    struct Listed {
        ScanPass pass;
        std::string path;
        int32_t files;
        std::optional<Error> unreadable;
    };
    struct PassBegun {
        ScanPass pass;
        int32_t files;
    };
    // Files begun one after the other with no other event between them.
    struct FilesBegun {
        ScanPass pass;
        int32_t first;
        int32_t count;
        int32_t files;
    };
    struct Unreadable {
        ScanPass pass;
        std::string path;
        std::string reason;
    };
    struct Match {
        size_t record;
    };
    struct PassEnded {
        ScanPass pass;
    };
    using Event =
        std::variant<Listed, PassBegun, FilesBegun, Unreadable, Match, PassEnded, ScanEnded>;

    void Play(const Event& event, ScanSink& sink, int32_t& matchNumber) const;

    std::optional<ScanOptions> options_;
    std::chrono::steady_clock::time_point started_;
    std::vector<Event> events_;
    std::shared_ptr<std::vector<MatchRecord>> matches_ =
        std::make_shared<std::vector<MatchRecord>>();
};

}  // namespace ravelin
