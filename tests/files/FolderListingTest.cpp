#include "TempFolder.h"
#include "files/FolderListing.h"
#include "files/ReadOnlyFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

#ifdef _WIN32

TEST(FolderListing, ListsAndCountsOnlyFilesInNameOrder) {
    GTEST_SKIP() << "needs names that differ only in case, a FIFO and symbolic links";
}

TEST(FolderListing, DeniedAccessCountsZeroButFailsTheList) {
    GTEST_SKIP() << "needs fork, chmod and setuid";
}

#else

// Every kind of entry a folder can hold, with names that test the matcher and the order. The
// names that differ only in case are created in both orders, so that the tie-break shows
// whatever order the file system keeps.
void FillMixedFolder(const TempFolder& folder) {
    for (const char* name :
         {"b.txt", "B.txt", "_c.txt", "A.txt", "a.txt", "Z.TXT", "z.txt", "\xC3\xA9.txt", "a.b.txt",
          ".txt", ".hidden.txt", "a.txt.bak", "notes"}) {
        folder.Write(name, "x");
    }
    folder.Write("d.doc", std::string(100, 'x'));
    fs::create_directory(folder / "y.txt");
    ASSERT_EQ(mkfifo((folder / "x.txt").c_str(), 0644), 0);
    fs::create_symlink("no-such-file", folder / "dangling.txt");
    fs::create_symlink("loop.txt", folder / "loop.txt");
    fs::create_symlink("d.doc", folder / "link.txt");
    fs::create_symlink("y.txt", folder / "dirlink.txt");
}

constexpr int kFilesInMixedFolder = 15;

TEST(FolderListing, ListsAndCountsOnlyFilesInNameOrder) {
    const TempFolder folder;
    FillMixedFolder(folder);
    const std::string path = folder.Path().string();
    std::vector<std::string> names;
    std::string errorText = "untouched";
    bool accessDenied = true;
    int yields = 0;
    const YieldFunction yield = [&yields] { ++yields; };
    EXPECT_EQ(ListFiles(path, names, "*.txt", errorText, yield), 12);
    const std::vector<std::string> expected = {".hidden.txt", ".txt",  "_c.txt", "a.b.txt",
                                               "A.txt",       "a.txt", "B.txt",  "b.txt",
                                               "link.txt",    "Z.TXT", "z.txt",  "\xC3\xA9.txt"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(yields, kFilesInMixedFolder);
    EXPECT_EQ(CountFiles(path, "*", errorText, accessDenied, yield), 1);
    EXPECT_EQ(yields, 2 * kFilesInMixedFolder);
    EXPECT_FALSE(accessDenied);
    EXPECT_EQ(errorText, "untouched");
}

// Windows allows none of these characters in a name.
TEST(FolderListing, NamesTheMatcherRefusesForTheirCharactersAreListedApart) {
#ifdef _WIN32
    GTEST_SKIP() << "no such names on Windows";
#endif
    const TempFolder folder;
    for (const char* name :
         {"a\\b.txt", "a:b.TXT", "a*b.txt", "a?b.txt", "c?d.doc", "e.txt", "f*.txt.bak"}) {
        folder.Write(name, "text");
    }
    std::vector<std::string> names;
    std::vector<std::string> refused;
    std::string errorText;
    EXPECT_EQ(ListFiles(folder.Path().string(), names, "*.txt", errorText, {}, &refused), 1);
    EXPECT_EQ(names, std::vector<std::string>{"e.txt"});
    const std::vector<std::string> expected = {"a*b.txt", "a:b.TXT", "a?b.txt", "a\\b.txt"};
    EXPECT_EQ(refused, expected);
}

TEST(FolderListing, MissingFolderFailsAndNoMatchLeavesTheListAlone) {
    const TempFolder folder;
    folder.Write("plain.txt", "");
    std::string errorText;
    bool accessDenied = true;
    std::vector<std::string> names = {"old1", "old2"};
    for (const char* name : {"missing", "plain.txt"}) {
        errorText.clear();
        EXPECT_EQ(ListFiles(folder / name, names, "*", errorText), -1);
        EXPECT_EQ(errorText, "Path not found");
        EXPECT_EQ(CountFiles(folder / name, "*.*", errorText, accessDenied), -1);
    }
    EXPECT_FALSE(accessDenied);
    const std::string path = folder.Path().string();
    EXPECT_EQ(ListFiles(path, names, "*", errorText), 0);
    EXPECT_EQ(names.size(), 2U);
    EXPECT_EQ(ListFiles(path, names, "*.txt", errorText), 1);
    EXPECT_EQ(names, std::vector<std::string>{"plain.txt"});
}

// Run as a user who may not read `locked` nor search `unsearchable`; each failed check sets its
// bit in the result.
int DeniedAccessFailures(const std::string& locked, const std::string& unsearchable) {
    std::string errorText = "untouched";
    bool denied[2] = {false, false};
    std::vector<std::string> names = {"kept"};
    const bool silentZero = CountFiles(locked, "*.txt", errorText, denied[0]) == 0 && denied[0] &&
                            errorText == "untouched";
    const bool entriesDenied =
        CountFiles(unsearchable, "*.txt", errorText, denied[1]) == 0 && denied[1];
    const bool listFails = ListFiles(locked, names, "*.txt", errorText) == -1 &&
                           errorText == std::generic_category().message(EACCES) &&
                           names == std::vector<std::string>{"kept"};
    return (silentZero ? 0 : 1) | (entriesDenied ? 0 : 2) | (listFails ? 0 : 4);
}

constexpr int kCannotDeny = 255;

TEST(FolderListing, DeniedAccessCountsZeroButFailsTheList) {
    const TempFolder folder;
    chmod(folder.Path().c_str(), 0755);  // the unprivileged child must reach the folders inside
    const std::pair<std::string, mode_t> modes[] = {{"locked", 0}, {"unsearchable", 0444}};
    for (const auto& [name, mode] : modes) {
        fs::create_directory(folder / name);
        folder.Write(name + "/a.txt", "");
        chmod((folder / name).c_str(), mode);
    }
    // Root reads every folder, so the child becomes "nobody" before it looks.
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        const bool denied = dropped && access((folder / "locked").c_str(), R_OK) != 0;
        _exit(denied ? DeniedAccessFailures(folder / "locked", folder / "unsearchable")
                     : kCannotDeny);
    }
    int status = 0;
    waitpid(child, &status, 0);
    for (const auto& [name, mode] : modes) {
        chmod((folder / name).c_str(), 0700);  // so that the folder can be removed
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDeny) {
        GTEST_SKIP() << "this process cannot be denied access to a folder";
    }
    EXPECT_EQ(status, 0) << "bits of the failed checks in DeniedAccessFailures, shifted by 8";
}

#endif

// Names stay UTF-8 from the listing to the reader, also where the system's own calls take
// another encoding.
TEST(FolderListing, NamesOutsideAsciiAreListedAndOpened) {
    const TempFolder folder;
    const std::vector<std::string> names = {"caf\xC3\xA9.txt", "\xCE\xA9mega.txt",
                                            "\xE6\x97\xA5\xE6\x9C\xAC.txt"};
    const std::string sub = "\xC3\xBC-\xD1\x84";
    for (const std::string& name : names) {
        folder.Write(sub + "/" + name, name);
    }
    const std::string path = folder / sub;
    EXPECT_TRUE(FolderExists(path));
    std::vector<std::string> listed;
    std::string errorText;
    ASSERT_EQ(ListFiles(path, listed, "*.txt", errorText), 3) << errorText;
    EXPECT_EQ(listed, names);
    for (const std::string& name : listed) {
        const auto file = ReadOnlyFile::Open(FullPath(path, name));
        ASSERT_TRUE(file) << name << ": " << file.error().message;
        std::string text(64, '\0');
        text.resize(file.value().Read(text.data(), text.size()).value());
        EXPECT_EQ(text, name);
    }
}

TEST(FolderListing, FolderExistsTrimsBlanksAndFollowsLinks) {
    const TempFolder folder;
    folder.Write("plain.txt", "");
    EXPECT_TRUE(FolderExists("  " + folder.Path().string() + "  "));
#ifndef _WIN32
    fs::create_symlink(fs::temp_directory_path(), folder / "link");
    EXPECT_TRUE(FolderExists(folder / "link"));
#endif
    EXPECT_FALSE(FolderExists(folder / "plain.txt"));
    EXPECT_FALSE(FolderExists(folder / "missing"));
}

}  // namespace
}  // namespace ravelin
