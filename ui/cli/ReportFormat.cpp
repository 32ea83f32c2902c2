#include "ui/cli/ReportFormat.h"

#include "files/FolderListing.h"
#include "files/StringRoutines.h"

namespace ravelin::cli {

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
            text += EscapedName(FullPath(groups.Folder(member.slot), member.name)) + "\n";
        }
        text += "\n";
    }
    return text;
}

std::string MessageText(const std::string& title, const std::string& message) {
    std::string text = "ravelin-cli: ";
    if (!title.empty()) {
        text += title + "\n";
    }
    return text + CrLfToLf(message) + "\n";
}

}  // namespace ravelin::cli
