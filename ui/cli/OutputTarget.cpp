#include "ui/cli/OutputTarget.h"

#include "engine/ScanOptions.h"
#include "files/FileIdentity.h"
#include "files/FolderListing.h"
#include "files/TextEncoding.h"

#include <vector>

namespace ravelin::cli {
namespace {


bool IsFileOf(const std::string& folder, const FileIdentity& target) {
    std::vector<std::string> names;
    std::string ignored;
    // As the scan lists its folders.
    ListFiles(folder, names, "*." + std::string(kTextFileExtension), ignored);
    for (const std::string& name : names) {
        if (IdentityOf(FullPath(folder, name)) == target) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::string> OutputTargetProblem(const std::string& output, bool given,
                                               const std::string& folder1,
                                               const std::string& folder2) {
    if (given && output.empty()) {
        return "ravelin-cli: -o needs the name of a file\n";
    }
    if (output.empty()) {
        return std::nullopt;
    }
    // By identity: a link, another spelling or another case of the name is the same file.
    const std::optional<FileIdentity> target = IdentityOf(output);
    if (target && (IsFileOf(folder1, *target) || IsFileOf(folder2, *target))) {
        return "ravelin-cli: -o '" + Utf8Lossy(output) +
               "' is a file the scan reads; name another file\n";
    }
    return std::nullopt;
}

}  // namespace ravelin::cli
