#pragma once

// The report and the groups as plain text, as a file or a terminal shows them.

#include "engine/MatchGroups.h"
#include "engine/ReportSink.h"
#include "output/FormatSink.h"

#include <string>
#include <string_view>

namespace ravelin {

// The log with each CR LF written as a line feed and a line feed after a last line without one.
std::string ReportText(std::string_view log);

// One paragraph per group of copies: the full path of each member, a line each, and a blank line
// after the group.
std::string GroupsText(const MatchGroups& groups);

// The report as the window's box would hold it at the end of the scan, written then.
class ReportTextSink final : public FormatSink {
  public:
    ReportTextSink(std::ostream& out, const TextCatalog& texts) : out_(out), report_(texts) {}

    void OnScanBegun(const ScanOptions& options) override { report_.OnScanBegun(options); }
    void OnFolderListed(const FolderListed& event) override { report_.OnFolderListed(event); }
    void OnPassBegun(ScanPass pass, int32_t files) override { report_.OnPassBegun(pass, files); }
    void OnFileBegun(const FileBegun& event) override { report_.OnFileBegun(event); }
    void OnMatch(const MatchFound& event) override { report_.OnMatch(event); }
    void OnPassEnded(ScanPass pass) override { report_.OnPassEnded(pass); }
    void OnScanEnded(const ScanEnded& event) override;
    // Says where the cap cut the report, and that tsv and json list every match.
    std::string Notice() const override;

  private:
    std::ostream& out_;
    ReportSink report_;
    int32_t matches_ = 0;
};

// The groups, written once the scan has ended and they are complete.
class GroupsTextSink final : public FormatSink {
  public:
    GroupsTextSink(std::ostream& out, const MatchGroups& groups) : out_(out), groups_(groups) {}
    void OnScanEnded(const ScanEnded& /*event*/) override { out_ << GroupsText(groups_); }

  private:
    std::ostream& out_;
    const MatchGroups& groups_;
};

}  // namespace ravelin
