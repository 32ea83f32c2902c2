#pragma once

// JSON Lines for other programs: one object per line, written as the scan goes — a "folder" per
// folder listed, a "refused" per file left out for its name, an "unreadable" per file that could
// not be read, a "match" per match (every
// match: there is no cap) and a final "summary". A name that is not valid UTF-8 is written with
// each bad byte as U+FFFD, and its exact bytes beside it in base64 under the same key with
// "_bytes" appended.

#include "output/FormatSink.h"
#include "output/MatchNames.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace ravelin {

class JsonSink final : public FormatSink {
  public:
    // The summary counts the groups when it is given them.
    JsonSink(std::ostream& out, const MatchGroups* groups) : out_(out), groups_(groups) {}

    void OnFolderListed(const FolderListed& event) override;
    void OnPassBegun(ScanPass pass, int32_t files) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnFileRefused(const FileRefused& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnScanEnded(const ScanEnded& event) override;

  private:
    std::ostream& out_;
    const MatchGroups* groups_;
    MatchNames names_;
    int32_t files_[2] = {0, 0};
    int64_t pairs_ = 0;
};

// The "folder" and "unreadable" lines, without their line feed; a passage scan writes them too.
std::string JsonFolderLine(const FolderListed& event);
std::string JsonUnreadableLine(const FileUnreadable& event);
// ,"key":"name" and, when the name is not UTF-8, its bytes.
std::string JsonNameField(std::string_view key, const std::string& bytes);

// RFC 4648 base64, for bytes that JSON strings cannot carry.
std::string Base64(std::string_view bytes);

}  // namespace ravelin
