#include "output/ReportFormat.h"

#include "files/FolderListing.h"
#include "files/StringRoutines.h"

namespace ravelin {

std::string ReportText(std::string_view log) {
    std::string text = CrLfToLf(log);
    if (!text.empty() && text.back() != '\n') {
        text.push_back('\n');
    }
    return text;
}

std::string GroupsText(const MatchGroups& groups) {
    std::string text;
    for (const std::vector<GroupMember>& group : groups.Groups()) {
        for (const GroupMember& member : group) {
            text += FullPath(groups.Folder(member.slot), member.name) + "\n";
        }
        text += "\n";
    }
    return text;
}

void ReportTextSink::OnScanEnded(const ScanEnded& event) {
    report_.OnScanEnded(event);
    matches_ = event.matches;
    out_ << ReportText(report_.Log().Text());
}

std::string ReportTextSink::Notice() const {
    if (!report_.blnOutputFull) {
        return {};
    }
    return "the report stopped at 64,000 characters after " +
           std::to_string(report_.MatchesInReport()) + " of " + std::to_string(matches_) +
           " matches; --format tsv or json lists every match";
}

}  // namespace ravelin
