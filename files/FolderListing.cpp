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

struct FileEntry {
    std::string name;
    double size = 0;
};

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

// Adds the entry when it is a file. Returns 0, or the error number that makes the whole folder
// unreadable: an entry whose status cannot be read at all means the folder cannot be searched.
int AddIfFile(int directoryFd, const char* name, std::vector<FileEntry>& files) {
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
        files.push_back({name, static_cast<double>(status.st_size)});
    }
    return 0;
}

// Reads the files of the folder into `files`; returns 0 or the error number of the failure.
int ReadFolder(const std::string& folder, std::vector<FileEntry>& files) {
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
void SortByName(std::vector<FileEntry>& files) {
    std::vector<std::pair<std::string, FileEntry>> keyed;
    keyed.reserve(files.size());
    for (FileEntry& file : files) {
        keyed.emplace_back(AsciiLowerCase(file.name), std::move(file));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.name) < std::tie(b.first, b.second.name);
    });
    for (size_t i = 0; i < keyed.size(); ++i) {
        files[i] = std::move(keyed[i].second);
    }
}

// The main window recognises a missing folder by exactly this text.
std::string Description(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return "Path not found";
    }
    return std::generic_category().message(error);
}

int32_t Fail(int error, const ErrorReporter& showError, std::string& errorText) {
    errorText = Description(error);
    if (showError) {
        showError(errorText);
    }
    return -1;
}

void Yield(const YieldFunction& yield) {
    if (yield) {
        yield();
    }
}

}  // namespace

int32_t CountFiles(const std::string& folder, std::string_view pattern, bool stopAtFirst,
                   const ErrorReporter& showError, std::string& errorText, double& totalSize,
                   bool& accessDenied, const YieldFunction& yield) {
    accessDenied = false;
    const bool sizeRequested = totalSize == -1;
    std::vector<FileEntry> files;
    const int error = ReadFolder(folder, files);
    if (error == EACCES) {
        accessDenied = true;
        return 0;
    }
    if (error != 0) {
        return Fail(error, showError, errorText);
    }
    if (pattern == "*.*" && !sizeRequested) {
        return static_cast<int32_t>(files.size());
    }
    SortByName(files);
    totalSize = 0;
    int32_t count = 0;
    for (const FileEntry& file : files) {
        if (FileNameMatches(file.name, pattern, false)) {
            ++count;
            if (sizeRequested) {
                totalSize += file.size;
            }
            if (stopAtFirst) {
                return count;
            }
        }
        Yield(yield);
    }
    return count;
}

int32_t ListFiles(const std::string& folder, std::vector<std::string>& fileNames,
                  std::string_view pattern, const ErrorReporter& showError, std::string& errorText,
                  double& totalSize, const YieldFunction& yield) {
    const bool sizeRequested = totalSize == -1;
    std::vector<FileEntry> files;
    const int error = ReadFolder(folder, files);
    if (error != 0) {
        return Fail(error, showError, errorText);
    }
    SortByName(files);
    totalSize = 0;
    int32_t count = 0;
    for (FileEntry& file : files) {
        if (FileNameMatches(file.name, pattern, false)) {
            ++count;
            // The caller's list is replaced only once a file matches, and then has exactly
            // one entry per match.
            fileNames.resize(static_cast<size_t>(count));
            fileNames.back() = std::move(file.name);
            if (sizeRequested) {
                totalSize += file.size;
            }
        }
        Yield(yield);
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
