#include "TempFolder.h"
#include "files/ReadOnlyFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace ravelin {
namespace {

using testing::TempFolder;

std::string ReadAll(const ReadOnlyFile& file) {
    std::string all;
    char chunk[7];  // small, so that a file takes several reads
    for (;;) {
        const Result<size_t> got = file.Read(chunk, sizeof chunk);
        if (!got || got.value() == 0) {
            return all;
        }
        all.append(chunk, got.value());
    }
}

// The reader must see every carriage return, and a Ctrl-Z is no end of the file.
TEST(ReadOnlyFile, ReadsTheBytesAsTheyAre) {
    const TempFolder folder;
    const std::string bytes = std::string("one\r\ntwo\rthree\n\x1A four\0five\r\n", 28);
    const auto file = ReadOnlyFile::Open(folder.Write("f.txt", bytes));
    ASSERT_TRUE(file) << file.error().message;
    const Result<FileStatus> status = file.value().Status();
    ASSERT_TRUE(status);
    EXPECT_EQ(status.value().kind, FileKind::Regular);
    EXPECT_EQ(status.value().size, bytes.size());
    EXPECT_EQ(ReadAll(file.value()), bytes);
}

TEST(ReadOnlyFile, TellsFoldersMissingFilesAndLargeSizes) {
    const TempFolder folder;
    const auto missing = ReadOnlyFile::Open(folder / "missing.txt");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, ENOENT);
    EXPECT_EQ(missing.error().message, std::strerror(ENOENT));

    const auto opened = ReadOnlyFile::Open(folder.Path().string());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_EQ(opened.value().Status().value().kind, FileKind::Directory);

    // Past 4 GiB, so that neither a signed nor an unsigned 32-bit size can hold it.
    const uint64_t size = (uint64_t{5} << 30) + 1;
    {
        std::ofstream out(folder.Path() / "large.txt", std::ios::binary);
        out.seekp(static_cast<std::streamoff>(size - 1));
        out.put('x');
    }
    const auto large = ReadOnlyFile::Open(folder / "large.txt");
    ASSERT_TRUE(large);
    EXPECT_EQ(large.value().Status().value().size, size);
}

}  // namespace
}  // namespace ravelin
