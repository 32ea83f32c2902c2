#include "support/vantlib6/TextFileReader.h"

#include "files/FileDescriptor.h"
#include "support/vantlib6/vantlib6.h"

#include <array>
#include <cerrno>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace vantlib6 {
namespace {

// Reads to the end rather than trusting the size: some regular files (in /proc) report size 0.
int32_t ReadToEnd(int fd, std::string& content) {
    std::array<char, 16384> chunk{};
    for (;;) {
        const ssize_t count = ::read(fd, chunk.data(), chunk.size());
        if (count == 0) {
            return kStepOk;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return VANTLIB6_READ_ERROR;
        }
        if (content.size() + static_cast<std::size_t>(count) > kMaxFileBytes) {
            return VANTLIB6_TOO_MUCH_TEXT;
        }
        content.append(chunk.data(), static_cast<std::size_t>(count));
    }
}

}  // namespace

int32_t ReadTextFile(const char* path, std::string& content) {
    content.clear();
    if (path == nullptr) {
        return VANTLIB6_CANNOT_OPEN;
    }
    const auto file = ravelin::FileDescriptor::OpenForReading(path);
    if (file.Get() < 0) {
        return VANTLIB6_CANNOT_OPEN;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return VANTLIB6_READ_ERROR;
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxFileBytes) {
        return VANTLIB6_TOO_MUCH_TEXT;
    }
    try {
        content.reserve(static_cast<std::size_t>(info.st_size));
        return ReadToEnd(file.Get(), content);
    } catch (const std::bad_alloc&) {
        return VANTLIB6_GENERAL_ALLOCATION;
    }
}

}  // namespace vantlib6
