// The writer of result files, attacked as someone who can write to the output folder would, and
// used as careless users do: links planted at the temporary name, FIFOs and devices as targets,
// failures, and names as long as the file system allows.

#include "TempFolder.h"
#include "files/OutputFile.h"
#include "files/OutputFileBuffer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Writes `text` to `path` and commits it.
std::optional<Error> WriteWhole(const std::string& path, const std::string& text,
                                const TemporaryNamer& namer = RandomTemporaryName) {
    Result<OutputFile> file = OutputFile::Open(path, namer);
    if (!file) {
        return file.error();
    }
    if (auto error = file.value().Write(text.data(), text.size())) {
        return error;
    }
    return file.value().Commit();
}

size_t Entries(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(OutputFile, ANewFileTakesItsNameOnlyWhenCommitted) {
    const TempFolder folder;
    const std::string target = folder / "report.txt";
    Result<OutputFile> file = OutputFile::Open(target);
    ASSERT_TRUE(file);
    ASSERT_FALSE(file.value().Write("half", 4));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(Entries(folder.Path()), 1u);  // the temporary file
    ASSERT_FALSE(file.value().Commit());
    EXPECT_EQ(Read(target), "half");
    EXPECT_EQ(Entries(folder.Path()), 1u);
    EXPECT_FALSE(file.value().InPlace());
}

TEST(OutputFile, WhatIsNotCommittedLeavesTheTargetAsItWas) {
    const TempFolder folder;
    const std::string target = folder.Write("keep", "GOOD\n");
    {
        Result<OutputFile> discarded = OutputFile::Open(target);
        ASSERT_TRUE(discarded);
        ASSERT_FALSE(discarded.value().Write("bad", 3));
        discarded.value().Discard();
        Result<OutputFile> dropped = OutputFile::Open(target);
        ASSERT_TRUE(dropped);
        ASSERT_FALSE(dropped.value().Write("bad", 3));
    }
    EXPECT_EQ(Read(target), "GOOD\n");
    EXPECT_EQ(Entries(folder.Path()), 1u);
}

TEST(OutputFile, TheReplacedFilesModeIsKept) {
    for (const mode_t mode : {0600, 0640, 0604, 0755}) {
        const TempFolder folder;
        const std::string target = folder.Write("r", "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_FALSE(WriteWhole(target, "new"));
        struct stat info {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode) << std::oct << mode;
        EXPECT_EQ(Read(target), "new");
    }
}

TEST(OutputFile, TheReplacedFilesOwnerIsKeptWhenRun) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file away";
    }
    const TempFolder folder;
    const std::string target = folder.Write("r", "old");
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_FALSE(WriteWhole(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

// A planted name at the writer's first choice: it takes the next, and the planted file, and
// what a link leads to, stay as they were.
TEST(OutputFile, ALinkPlantedAtTheTemporaryNameIsNeverOpened) {
    enum class Plant { SymbolicLink, HardLink, DanglingLink, File };
    for (const Plant plant :
         {Plant::SymbolicLink, Plant::HardLink, Plant::DanglingLink, Plant::File}) {
        const TempFolder folder;
        const std::string victim = folder.Write("victim", "SECRET");
        ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
        const std::string planted = folder / "planted";
        switch (plant) {
            case Plant::SymbolicLink:
                fs::create_symlink(victim, planted);
                break;
            case Plant::HardLink:
                fs::create_hard_link(victim, planted);
                break;
            case Plant::DanglingLink:
                fs::create_symlink(folder / "created-through-link", planted);
                break;
            case Plant::File:
                folder.Write("planted", "theirs");
                break;
        }
        const auto namer = [](int attempt) { return attempt == 0 ? "planted" : "fresh"; };
        ASSERT_FALSE(WriteWhole(folder / "out.html", "page", namer));
        EXPECT_EQ(Read(folder / "out.html"), "page");
        EXPECT_EQ(Read(victim), "SECRET");
        EXPECT_FALSE(fs::exists(folder / "created-through-link"));
        EXPECT_TRUE(fs::exists(fs::symlink_status(planted)));
        EXPECT_FALSE(fs::exists(folder / "fresh"));
    }
}

TEST(OutputFile, ATargetThatIsALinkIsReplacedNotFollowed) {
    const TempFolder folder;
    const std::string victim = folder.Write("victim", "SECRET");
    fs::create_symlink(victim, folder / "out");
    ASSERT_FALSE(WriteWhole(folder / "out", "page"));
    EXPECT_FALSE(fs::is_symlink(folder / "out"));
    EXPECT_EQ(Read(folder / "out"), "page");
    EXPECT_EQ(Read(victim), "SECRET");
}

TEST(OutputFile, AFifoIsWrittenDirectlyAndStaysAFifo) {
    const TempFolder folder;
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    const std::optional<Error> error = WriteWhole(fifo, "through the pipe");
    reader.join();
    EXPECT_FALSE(error);
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(folder.Path()), 1u);
}

// Never the system's own devices: a regression would replace them on the test machine.
TEST(OutputFile, ADeviceIsWrittenDirectlyAndItsErrorsAreKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make a device";
    }
    const TempFolder folder;
    const std::string null = folder / "null";
    const std::string full = folder / "full";
    ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    EXPECT_FALSE(WriteWhole(null, "gone"));
    EXPECT_TRUE(fs::is_character_file(null));

    Result<OutputFile> file = OutputFile::Open(full);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file.value().InPlace());
    OutputFileBuffer buffer(file.value());
    std::ostream stream(&buffer);
    stream << "no room" << std::flush;
    EXPECT_TRUE(stream.fail());
    ASSERT_TRUE(buffer.FirstError());
    EXPECT_EQ(buffer.FirstError()->code, ENOSPC);
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_EQ(Entries(folder.Path()), 2u);
}

TEST(OutputFile, NamesUpToTheLimitAreWritten) {
    for (const size_t length : {size_t{252}, size_t{255}}) {
        const TempFolder folder;
        const std::string target = folder / (std::string(length - 4, 'n') + ".txt");
        EXPECT_FALSE(WriteWhole(target, "long")) << length;
        EXPECT_EQ(Read(target), "long");
        EXPECT_EQ(Entries(folder.Path()), 1u);
    }
}

TEST(OutputFile, WhatCannotBeWrittenIsAnError) {
    const TempFolder folder;
    fs::create_directory(folder.Path() / "dir");
    const std::pair<std::string, int> targets[] = {
        {"", ENOENT},
        {folder / "dir", EISDIR},
        {folder / "missing/out", ENOENT},
        {folder / "dir/", EISDIR},
    };
    for (const auto& [target, code] : targets) {
        const Result<OutputFile> file = OutputFile::Open(target);
        ASSERT_FALSE(file) << target;
        EXPECT_EQ(file.error().code, code) << target;
    }
    EXPECT_EQ(Entries(folder.Path()), 1u);
}

TEST(OutputFile, TheSignalHandlersRemovalLeavesNoTemporaryFile) {
    const TempFolder folder;
    const std::string target = folder.Write("keep", "GOOD");
    Result<OutputFile> file = OutputFile::Open(target);
    ASSERT_TRUE(file);
    ASSERT_EQ(Entries(folder.Path()), 2u);
    RemoveTemporaryOutputFiles();
    EXPECT_EQ(Entries(folder.Path()), 1u);
    EXPECT_EQ(Read(target), "GOOD");
}

TEST(OutputFileBuffer, SmallAndLargeWritesArriveInOrder) {
    const TempFolder folder;
    const std::string target = folder / "out";
    Result<OutputFile> file = OutputFile::Open(target);
    ASSERT_TRUE(file);
    std::string expected;
    {
        OutputFileBuffer buffer(file.value());
        std::ostream stream(&buffer);
        for (const size_t size :
             {size_t{1}, size_t{70000}, size_t{3}, size_t{65535}, size_t{200000}}) {
            const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
            stream << piece << '\n';
            expected += piece + '\n';
        }
        stream.flush();
        EXPECT_FALSE(buffer.FirstError());
    }
    ASSERT_FALSE(file.value().Commit());
    EXPECT_EQ(file.value().BytesWritten(), expected.size());
    EXPECT_EQ(Read(target), expected);
}

}  // namespace
}  // namespace ravelin
