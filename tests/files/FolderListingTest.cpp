#include "files/FolderListing.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace ravelin {
namespace {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() : path_((fs::temp_directory_path() / "ravelin-listing-XXXXXX").string()) {
        if (mkdtemp(path_.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp");
        }
    }
    ~TempFolder() {
        chmod(Join("locked").c_str(), 0700);
        chmod(Join("unsearchable").c_str(), 0700);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Join(const std::string& name) const { return path_ + "/" + name; }
    void AddFile(const std::string& name, size_t size = 0) const {
        std::ofstream(Join(name), std::ios::binary) << std::string(size, 'x');
    }

  private:
    std::string path_;
};

// Every kind of entry a folder can hold, with names that test the matcher and the order. The
// names that differ only in case are created in both orders, so that the tie-break shows
// whatever order the file system keeps.
void FillMixedFolder(const TempFolder& folder) {
    for (const char* name :
         {"b.txt", "B.txt", "_c.txt", "A.txt", "a.txt", "Z.TXT", "z.txt", "\xC3\xA9.txt", "a.b.txt",
          ".txt", ".hidden.txt", "a.txt.bak", "d.doc", "notes"}) {
        folder.AddFile(name);
    }
    fs::create_directory(folder.Join("y.txt"));
    ASSERT_EQ(mkfifo(folder.Join("x.txt").c_str(), 0644), 0);
    fs::create_symlink("no-such-file", folder.Join("dangling.txt"));
    fs::create_symlink("loop.txt", folder.Join("loop.txt"));
    fs::create_symlink("d.doc", folder.Join("link.txt"));
    fs::create_symlink("y.txt", folder.Join("dirlink.txt"));
}

constexpr int kFilesInMixedFolder = 15;

TEST(FolderListing, ListAndCountOnlyFilesInNameOrder) {
    TempFolder folder;
    FillMixedFolder(folder);
    std::vector<std::string> names;
    std::string errorText = "untouched";
    double totalSize = 7;
    bool accessDenied = true;
    int yields = 0;
    const YieldFunction yield = [&yields] { ++yields; };
    EXPECT_EQ(ListFiles(folder.Path(), names, "*.txt", {}, errorText, totalSize, yield), 12);
    const std::vector<std::string> expected = {".hidden.txt", ".txt",  "_c.txt", "a.b.txt",
                                               "A.txt",       "a.txt", "B.txt",  "b.txt",
                                               "link.txt",    "Z.TXT", "z.txt",  "\xC3\xA9.txt"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(yields, kFilesInMixedFolder);
    EXPECT_EQ(totalSize, 0);
    totalSize = 7;  // the "*.*" shortcut neither touches it nor looks at a name
    EXPECT_EQ(
        CountFiles(folder.Path(), "*.*", false, {}, errorText, totalSize, accessDenied, yield),
        kFilesInMixedFolder);
    EXPECT_EQ(totalSize, 7);
    EXPECT_EQ(yields, kFilesInMixedFolder);
    EXPECT_FALSE(accessDenied);
    EXPECT_EQ(CountFiles(folder.Path(), "*", false, {}, errorText, totalSize, accessDenied), 1);
    EXPECT_EQ(CountFiles(folder.Path(), "*.txt", true, {}, errorText, totalSize, accessDenied), 1);
    EXPECT_EQ(errorText, "untouched");
}

TEST(FolderListing, TotalSizeAddsUpMatchingFilesWhenRequested) {
    TempFolder folder;
    folder.AddFile("a.txt", 3);
    folder.AddFile("B.TXT", 5);
    folder.AddFile("c.doc", 7);
    fs::create_symlink("c.doc", folder.Join("link.txt"));
    std::vector<std::string> names;
    std::string errorText;
    bool accessDenied = false;
    double totalSize = -1;
    EXPECT_EQ(ListFiles(folder.Path(), names, "*.txt", {}, errorText, totalSize), 3);
    EXPECT_EQ(totalSize, 3 + 5 + 7);
    totalSize = -1;
    EXPECT_EQ(CountFiles(folder.Path(), "*.*", false, {}, errorText, totalSize, accessDenied), 4);
    EXPECT_EQ(totalSize, 3 + 5 + 7 + 7);
}

TEST(FolderListing, PathNotFoundAndNoMatchLeaveTheListAlone) {
    TempFolder folder;
    folder.AddFile("plain.txt");
    std::vector<std::string> reported;
    const ErrorReporter report = [&reported](const std::string& text) { reported.push_back(text); };
    std::string errorText;
    double totalSize = 0;
    bool accessDenied = true;
    std::vector<std::string> names = {"old1", "old2"};
    for (const char* path : {"missing", "plain.txt", "missing/deeper"}) {
        EXPECT_EQ(ListFiles(folder.Join(path), names, "*", report, errorText, totalSize), -1);
        EXPECT_EQ(errorText, "Path not found") << path;
        errorText.clear();
        EXPECT_EQ(
            CountFiles(folder.Join(path), "*.*", false, report, errorText, totalSize, accessDenied),
            -1);
        EXPECT_EQ(errorText, "Path not found") << path;
    }
    EXPECT_EQ(reported, std::vector<std::string>(6, "Path not found"));
    EXPECT_FALSE(accessDenied);
    EXPECT_EQ(ListFiles(folder.Path(), names, "*", report, errorText, totalSize), 0);
    EXPECT_EQ(names.size(), 2U);
    EXPECT_EQ(ListFiles(folder.Path(), names, "*.txt", report, errorText, totalSize), 1);
    EXPECT_EQ(names, std::vector<std::string>{"plain.txt"});
}

// Run in a child process; each failed check sets its bit in the result.
int DeniedAccessFailures(const std::string& locked, const std::string& unsearchable) {
    std::string errorText = "untouched";
    double totalSize = 0;
    bool lockedDenied = false;
    bool unsearchableDenied = false;
    std::vector<std::string> names = {"kept"};
    std::string reported;
    const ErrorReporter report = [&reported](const std::string& text) { reported = text; };
    const bool checks[] = {
        CountFiles(locked, "*.txt", false, report, errorText, totalSize, lockedDenied) == 0,
        lockedDenied && errorText == "untouched" && reported.empty(),
        CountFiles(unsearchable, "*.txt", false, report, errorText, totalSize,
                   unsearchableDenied) == 0 &&
            unsearchableDenied,
        ListFiles(locked, names, "*.txt", report, errorText, totalSize) == -1,
        errorText == std::generic_category().message(EACCES) && reported == errorText,
        names == std::vector<std::string>{"kept"},
    };
    int failures = 0;
    for (int bit = 0; bit < static_cast<int>(std::size(checks)); ++bit) {
        failures |= checks[bit] ? 0 : 1 << bit;
    }
    return failures;
}

constexpr int kCannotDeny = 255;

// Root reads every folder, so the child becomes "nobody" before it looks.
int RunUnprivileged(const std::string& locked, const std::string& unsearchable) {
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        const bool denied = dropped && access(locked.c_str(), R_OK) != 0;
        _exit(denied ? DeniedAccessFailures(locked, unsearchable) : kCannotDeny);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FolderListing, DeniedAccessCountsZeroButFailsTheList) {
    TempFolder folder;
    chmod(folder.Path().c_str(), 0755);  // the unprivileged child must reach the folders inside
    for (const auto& [name, mode] : {std::pair{"locked", 0}, std::pair{"unsearchable", 0444}}) {
        fs::create_directory(folder.Join(name));
        folder.AddFile(std::string(name) + "/a.txt");
        chmod(folder.Join(name).c_str(), static_cast<mode_t>(mode));
    }
    const int failures = RunUnprivileged(folder.Join("locked"), folder.Join("unsearchable"));
    if (failures == kCannotDeny) {
        GTEST_SKIP() << "this process cannot be denied access to a folder";
    }
    EXPECT_EQ(failures, 0) << "bits of the failed checks in DeniedAccessFailures";
}

TEST(FolderListing, FolderExistsTrimsBlanksAndFollowsLinks) {
    TempFolder folder;
    folder.AddFile("plain.txt");
    fs::create_symlink(fs::temp_directory_path(), folder.Join("link"));
    EXPECT_TRUE(FolderExists("  " + folder.Path() + "  "));
    EXPECT_TRUE(FolderExists(folder.Join("link")));
    EXPECT_FALSE(FolderExists(folder.Join("plain.txt")));
    EXPECT_FALSE(FolderExists(folder.Join("missing")));
    EXPECT_FALSE(FolderExists("   "));
}

}  // namespace
}  // namespace ravelin
