#include "files/ReadOnlyFile.h"
#include "files/WindowsText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <system_error>
#include <windows.h>

namespace ravelin {
namespace {

Error LastCError() {
    const int error = errno;
    return Error{error, std::strerror(error)};
}

Error LastSystemError() {
    return Error{EIO, std::system_category().message(static_cast<int>(::GetLastError()))};
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The C runtime refuses to open a folder, which the system opens when asked for backup
// semantics; -1 when that fails too.
int OpenFolder(const std::wstring& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY);
    if (fd < 0) {
        ::CloseHandle(handle);
    }
    return fd;
}

}  // namespace

Result<ReadOnlyFile> ReadOnlyFile::Open(const std::string& utf8Path) {
    // Binary: the reader sees the carriage returns and a Ctrl-Z does not end the file.
    const std::wstring path = WideFromUtf8(utf8Path);
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd >= 0) {
        return ReadOnlyFile(fd);
    }
    const Error error = LastCError();
    if (error.code == EACCES && IsFolder(path)) {
        if (const int folder = OpenFolder(path); folder >= 0) {
            return ReadOnlyFile(folder);
        }
    }
    return error;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

// From the system rather than _fstat64, which some C runtimes answer with a regular file for a
// folder.
Result<FileStatus> ReadOnlyFile::Status() const {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return FileStatus{};  // a console, a pipe or a device
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        return LastSystemError();
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileStatus{FileKind::Directory, 0};
    }
    const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    return FileStatus{FileKind::Regular, size};
}

void ReadOnlyFile::AdviseWillRead() const {}

Result<size_t> ReadOnlyFile::Read(char* buffer, size_t size) const {
    const auto count = static_cast<unsigned>(std::min<size_t>(size, INT_MAX));
    const int got = ::_read(fd_, buffer, count);
    if (got < 0) {
        return LastCError();
    }
    return static_cast<size_t>(got);
}

}  // namespace ravelin
