#include "files/FolderListing.h"

#include "files/Utf8Path.h"
#include "files/Wildcard.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <tuple>
#include <utility>

namespace ravelin {
namespace {

// errno of a failure, whatever category the library reports it in.
int ErrorNumber(const std::error_code& error) {
    return error.default_error_condition().value();
}

// Adds the entry when it is a file. Returns 0, or the error number that makes the whole folder
// unreadable: an entry whose status cannot be read at all means the folder cannot be searched.
int AddIfFile(const std::filesystem::directory_entry& entry, std::vector<std::string>& files) {
    std::error_code error;
    std::filesystem::file_status status = entry.symlink_status(error);
    if (error) {
        return error == std::errc::no_such_file_or_directory ? 0 : ErrorNumber(error);  // removed
    }
    // A link counts as the file it leads to; a broken link, a loop or a link to anything else
    // is not a file.
    if (std::filesystem::is_symlink(status)) {
        status = entry.status(error);
    }
    if (!error && std::filesystem::is_regular_file(status)) {
        files.push_back(Utf8FromPath(entry.path().filename()));
    }
    return 0;
}

// Reads the files of the folder into `files`; returns 0 or the error number of the failure.
int ReadFolder(const std::string& folder, std::vector<std::string>& files) {
    std::error_code error;
    std::filesystem::directory_iterator entries(PathFromUtf8(folder), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (const int failed = AddIfFile(*entries, files); failed != 0) {
            return failed;
        }
    }
    return error ? ErrorNumber(error) : 0;
}

// The file system's own order differs between file systems and even between two copies of a
// folder; sorting keeps the scan and its report reproducible.
void SortByName(std::vector<std::string>& names) {
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names) {
        keyed.emplace_back(AsciiLowerCase(name), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < keyed.size(); ++i) {
        names[i] = std::move(keyed[i].second);
    }
}

std::string Description(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return "Path not found";
    }
    return std::generic_category().message(error);
}

constexpr std::string_view kRefusedCharacters = "?*:\\";

// Whether the matcher refuses the name only for the characters it may not hold.
bool RefusedForItsCharacters(std::string_view name, std::string_view pattern) {
    if (name.find_first_of(kRefusedCharacters) == std::string_view::npos) {
        return false;
    }
    std::string allowed(name);
    for (char& c : allowed) {
        if (kRefusedCharacters.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return FileNameMatches(allowed, pattern, false);
}

// The names that match, in name order, with one yield per file looked at; 0 or the error number
// of reading the folder.
int MatchingNames(const std::string& folder, std::string_view pattern, const YieldFunction& yield,
                  std::vector<std::string>& matching, std::vector<std::string>* refused) {
    std::vector<std::string> names;
    const int error = ReadFolder(folder, names);
    if (error != 0) {
        return error;
    }
    SortByName(names);
    for (std::string& name : names) {
        if (FileNameMatches(name, pattern, false)) {
            matching.push_back(std::move(name));
        } else if (refused != nullptr && RefusedForItsCharacters(name, pattern)) {
            refused->push_back(std::move(name));
        }
        if (yield) {
            yield();
        }
    }
    return 0;
}

}  // namespace

int32_t CountFiles(const std::string& folder, std::string_view pattern, std::string& errorText,
                   bool& accessDenied, const YieldFunction& yield) {
    std::vector<std::string> matching;
    const int error = MatchingNames(folder, pattern, yield, matching, nullptr);
    accessDenied = error == EACCES;
    if (error != 0 && !accessDenied) {
        errorText = Description(error);
        return -1;
    }
    return static_cast<int32_t>(matching.size());
}

int32_t ListFiles(const std::string& folder, std::vector<std::string>& fileNames,
                  std::string_view pattern, std::string& errorText, const YieldFunction& yield,
                  std::vector<std::string>* refused) {
    std::vector<std::string> matching;
    const int error = MatchingNames(folder, pattern, yield, matching, refused);
    if (error != 0) {
        errorText = Description(error);
        return -1;
    }
    const auto count = static_cast<int32_t>(matching.size());
    // The caller's list is replaced only when a file matches.
    if (count > 0) {
        fileNames = std::move(matching);
    }
    return count;
}

bool FolderExists(std::string_view path) {
    std::error_code error;
    return std::filesystem::is_directory(PathFromUtf8(TrimSpaces(path)), error);
}

std::string FullPath(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

}  // namespace ravelin
