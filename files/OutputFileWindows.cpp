#include "files/OutputFile.h"
#include "files/WindowsText.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <system_error>
#include <windows.h>

namespace ravelin {
namespace {

// The console's handler runs on a thread of its own and may find the program anywhere: it reads
// only these fixed slots, which hold the full names of the temporary files being written.
constexpr size_t kLongestPath = 32768;
struct TemporarySlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> filled{false};
    std::array<wchar_t, kLongestPath> path{};
};

constexpr size_t kTemporarySlots = 8;
std::array<TemporarySlot, kTemporarySlots> temporaries;  // NOLINT: read by the console handler

int Register(const std::wstring& path) {
    if (path.size() >= kLongestPath) {
        return -1;
    }
    for (size_t i = 0; i < temporaries.size(); ++i) {
        bool expected = false;
        if (temporaries[i].taken.compare_exchange_strong(expected, true)) {
            path.copy(temporaries[i].path.data(), path.size());
            temporaries[i].path[path.size()] = L'\0';
            temporaries[i].filled.store(true);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0) {
        temporaries[static_cast<size_t>(slot)].filled.store(false);
        temporaries[static_cast<size_t>(slot)].taken.store(false);
    }
}

Error SystemError(DWORD code) {
    const int error = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? ENOENT
                      : code == ERROR_ACCESS_DENIED                                ? EACCES
                      : code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL  ? ENOSPC
                                                                                   : EIO;
    return Error{error, std::system_category().message(static_cast<int>(code))};
}

Error LastSystemError() {
    return SystemError(::GetLastError());
}

constexpr int kAttempts = 100;

// The folder part of a path, with its separator; empty for a bare name.
std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

enum class Existing { None, Regular, Folder, Device };

// What the name holds now: a device (NUL, CON, a pipe) is written in place, never replaced.
Result<Existing> Look(const std::wstring& path) {
    const HANDLE handle = ::CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) {
            return Existing::None;
        }
        return SystemError(code);
    }
    Existing kind = Existing::Device;
    if (::GetFileType(handle) == FILE_TYPE_DISK) {
        BY_HANDLE_FILE_INFORMATION info{};
        kind = ::GetFileInformationByHandle(handle, &info) != 0 &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                   ? Existing::Folder
                   : Existing::Regular;
    }
    ::CloseHandle(handle);
    return kind;
}

}  // namespace

struct OutputFile::State {
    HANDLE handle = INVALID_HANDLE_VALUE;
    int slot = -1;
    std::wstring temporary;  // empty when written in place
    std::wstring target;
    bool replaces = false;
    uint64_t written = 0;
    bool inPlace = false;
    bool committed = false;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() { Remove(); }

    void Close() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
            handle = INVALID_HANDLE_VALUE;
        }
    }

    void Remove() {
        Close();
        if (!temporary.empty() && !committed) {
            ::DeleteFileW(temporary.c_str());
            Unregister(slot);
            slot = -1;
            temporary.clear();
        }
    }
};

Result<OutputFile> OutputFile::Open(const std::string& utf8Path, const TemporaryNamer& namer) {
    if (utf8Path.empty()) {
        return Error{ENOENT, "empty name"};
    }
    auto state = std::make_unique<State>();
    state->target = WideFromUtf8(utf8Path);
    const Result<Existing> existing = Look(state->target);
    if (!existing) {
        return existing.error();
    }
    if (existing.value() == Existing::Folder) {
        return Error{EISDIR, "Is a directory"};
    }
    if (existing.value() == Existing::Device) {
        state->inPlace = true;
        state->handle =
            ::CreateFileW(state->target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (state->handle == INVALID_HANDLE_VALUE) {
            return LastSystemError();
        }
        return OutputFile(std::move(state));
    }
    state->replaces = existing.value() == Existing::Regular;
    const std::wstring folder = FolderOf(state->target);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = namer(attempt);
        if (name.empty() || name.find_first_of("\\/:") != std::string::npos) {
            return Error{EINVAL, "bad temporary name"};
        }
        const std::wstring path = folder + WideFromUtf8(name);
        // CREATE_NEW fails on any name that exists, a link included.
        state->handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
        if (state->handle != INVALID_HANDLE_VALUE) {
            state->temporary = path;
            state->slot = Register(path);
            return OutputFile(std::move(state));
        }
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            return SystemError(code);
        }
    }
    return Error{EEXIST, "no free temporary name beside it"};
}

OutputFile::OutputFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
OutputFile::OutputFile(OutputFile&& other) noexcept = default;
OutputFile& OutputFile::operator=(OutputFile&& other) noexcept = default;
OutputFile::~OutputFile() = default;

std::optional<Error> OutputFile::Write(const char* data, size_t size) {
    while (size > 0) {
        const DWORD step = size > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(size);
        DWORD wrote = 0;
        if (::WriteFile(state_->handle, data, step, &wrote, nullptr) == 0) {
            return LastSystemError();
        }
        data += wrote;
        size -= wrote;
        state_->written += wrote;
    }
    return std::nullopt;
}

std::optional<Error> OutputFile::Commit() {
    State& s = *state_;
    if (s.handle == INVALID_HANDLE_VALUE) {
        return Error{EBADF, "closed"};
    }
    if (!s.inPlace && ::FlushFileBuffers(s.handle) == 0) {
        return LastSystemError();
    }
    s.Close();
    if (s.inPlace) {
        return std::nullopt;
    }
    // Replacing keeps the replaced file's attributes and security; a new name is a move.
    const BOOL moved =
        s.replaces ? ::ReplaceFileW(s.target.c_str(), s.temporary.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : ::MoveFileExW(s.temporary.c_str(), s.target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (moved == 0) {
        return LastSystemError();
    }
    s.committed = true;
    Unregister(s.slot);
    s.slot = -1;
    return std::nullopt;
}

void OutputFile::Discard() {
    state_->Remove();
}

bool OutputFile::InPlace() const {
    return state_->inPlace;
}

uint64_t OutputFile::BytesWritten() const {
    return state_->written;
}

void RemoveTemporaryOutputFiles() noexcept {
    for (TemporarySlot& slot : temporaries) {
        if (slot.filled.load()) {
            ::DeleteFileW(slot.path.data());
        }
    }
}

}  // namespace ravelin
