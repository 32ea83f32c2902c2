#include "files/FolderListing.h"

#include "files/Wildcard.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <tuple>
#include <utility>

namespace ravelin {
namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

// Adds the entry when it is a file. Returns 0, or the error number that makes the whole folder
// unreadable: an entry whose status cannot be read at all means the folder cannot be searched.
int AddIfFile(int directoryFd, const char* name, std::vector<std::string>& files) {
    struct stat status {};
    if (fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT ? 0 : errno;  // ENOENT: removed since it was listed
    }
    // A link counts as the file it leads to; a broken link, a loop or a link to anything else
    // is not a file.
    if (S_ISLNK(status.st_mode) && fstatat(directoryFd, name, &status, 0) != 0) {
        return 0;
    }
    if (S_ISREG(status.st_mode)) {
        files.emplace_back(name);
    }
    return 0;
}

// Reads the files of the folder into `files`; returns 0 or the error number of the failure.
int ReadFolder(const std::string& folder, std::vector<std::string>& files) {
    const DirectoryHandle directory(opendir(folder.c_str()));
    if (!directory) {
        return errno;
    }
    const int directoryFd = dirfd(directory.get());
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory.get());
        if (entry == nullptr) {
            return errno;
        }
        if (IsDotEntry(entry->d_name)) {
            continue;
        }
        const int error = AddIfFile(directoryFd, entry->d_name, files);
        if (error != 0) {
            return error;
        }
    }
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

// The names that match, in name order, with one yield per file looked at; 0 or the error number
// of reading the folder.
int MatchingNames(const std::string& folder, std::string_view pattern, const YieldFunction& yield,
                  std::vector<std::string>& matching) {
    std::vector<std::string> names;
    const int error = ReadFolder(folder, names);
    if (error != 0) {
        return error;
    }
    SortByName(names);
    for (std::string& name : names) {
        if (FileNameMatches(name, pattern, false)) {
            matching.push_back(std::move(name));
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
    const int error = MatchingNames(folder, pattern, yield, matching);
    accessDenied = error == EACCES;
    if (error != 0 && !accessDenied) {
        errorText = Description(error);
        return -1;
    }
    return static_cast<int32_t>(matching.size());
}

int32_t ListFiles(const std::string& folder, std::vector<std::string>& fileNames,
                  std::string_view pattern, std::string& errorText, const YieldFunction& yield) {
    std::vector<std::string> matching;
    const int error = MatchingNames(folder, pattern, yield, matching);
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
    return std::filesystem::is_directory(std::filesystem::path(TrimSpaces(path)), error);
}

std::string FullPath(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

}  // namespace ravelin
