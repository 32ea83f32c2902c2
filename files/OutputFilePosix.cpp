#include "files/OutputFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelin {
namespace {

// A signal handler can reach only what lives outside any object: the folder and name of each
// temporary file being written, so that it can unlink them without allocating.
struct TemporarySlot {
    std::atomic<bool> taken{false};
    std::atomic<int> folder{-1};
    std::array<char, NAME_MAX + 1> name{};
};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

constexpr size_t kTemporarySlots = 16;
std::array<TemporarySlot, kTemporarySlots> temporaries;  // NOLINT: read by signal handlers

// -1 when every slot is taken: the file is then written all the same, only a signal leaves it.
int Register(int folder, const std::string& name) {
    for (size_t i = 0; i < temporaries.size(); ++i) {
        bool expected = false;
        if (temporaries[i].taken.compare_exchange_strong(expected, true)) {
            std::memcpy(temporaries[i].name.data(), name.c_str(), name.size() + 1);
            temporaries[i].folder.store(folder);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0) {
        temporaries[static_cast<size_t>(slot)].folder.store(-1);
        temporaries[static_cast<size_t>(slot)].taken.store(false);
    }
}

// The signals whose handlers remove temporary files wait while one is created and registered,
// so that none is left unregistered and none registered that is not ours.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

  private:
    sigset_t previous_{};
};

Error ErrorOf(int error) {
    return Error{error, std::strerror(error)};
}

Error LastError() {
    return ErrorOf(errno);
}

constexpr int kAttempts = 100;

// The target's folder and bare name; "." for a name without one.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A link is followed to a FIFO or a device only when its owner is the user or root, as
// /dev/stdout is; a link someone else planted is a name to replace, never a way in.
bool FollowsLink(const struct stat& link, const struct stat& target) {
    const bool trusted = link.st_uid == ::geteuid() || link.st_uid == 0;
    return trusted && !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode);
}

}  // namespace

struct OutputFile::State {
    int fd = -1;
    int folder = -1;
    int slot = -1;
    std::string temporary;  // empty when written in place
    std::string target;
    uint64_t written = 0;
    bool inPlace = false;
    bool committed = false;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        Remove();
        if (folder >= 0) {
            ::close(folder);
        }
    }

    void Close() {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }

    void Remove() {
        Close();
        if (!temporary.empty() && !committed) {
            ::unlinkat(folder, temporary.c_str(), 0);
            Unregister(slot);
            slot = -1;
            temporary.clear();
        }
    }
};

namespace {

Result<std::unique_ptr<OutputFile::State>> OpenInPlace(const std::string& path, bool nofollow) {
    auto state = std::make_unique<OutputFile::State>();
    state->inPlace = true;
    const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | (nofollow ? O_NOFOLLOW : 0);
    state->fd = ::open(path.c_str(), flags);
    if (state->fd < 0) {
        return LastError();
    }
    struct stat opened {};
    if (::fstat(state->fd, &opened) != 0) {
        return LastError();
    }
    if (S_ISREG(opened.st_mode)) {
        return ErrorOf(EAGAIN);  // became a regular file after it was looked at
    }
    return state;
}

// The mode and owner of the file the result replaces, set before a byte is written.
void KeepModeAndOwner(int fd, const struct stat& replaced) {
    struct stat created {};
    if (::fstat(fd, &created) == 0 &&
        (created.st_uid != replaced.st_uid || created.st_gid != replaced.st_gid)) {
        // Only root may give a file away; anyone else keeps the group where allowed.
        if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0) {
            [[maybe_unused]] const int ignored =
                ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
        }
    }
    ::fchmod(fd, replaced.st_mode & 0777);
}

Result<std::unique_ptr<OutputFile::State>> OpenTemporary(const std::string& path,
                                                         const struct stat* replaced,
                                                         const TemporaryNamer& namer) {
    auto state = std::make_unique<OutputFile::State>();
    auto [folder, target] = SplitPath(path);
    if (target.empty() || target == "." || target == "..") {
        return ErrorOf(EISDIR);
    }
    state->target = std::move(target);
    state->folder = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (state->folder < 0) {
        return LastError();
    }
    // Private until the replaced file's mode is set; a new file takes the usual mode at once.
    const mode_t mode = replaced != nullptr ? 0600 : 0666;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = namer(attempt);
        if (name.empty() || name.size() > NAME_MAX || name.find('/') != std::string::npos ||
            name == state->target) {
            return ErrorOf(EINVAL);
        }
        const SignalsHeld held;
        state->fd = ::openat(state->folder, name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode);
        if (state->fd >= 0) {
            state->temporary = name;
            state->slot = Register(state->folder, name);
            break;
        }
        if (errno != EEXIST) {
            return LastError();
        }
    }
    if (state->fd < 0) {
        return Error{EEXIST, "no free temporary name beside it"};
    }
    if (replaced != nullptr) {
        KeepModeAndOwner(state->fd, *replaced);
    }
    return state;
}

}  // namespace

Result<OutputFile> OutputFile::Open(const std::string& utf8Path, const TemporaryNamer& namer) {
    if (utf8Path.empty()) {
        return ErrorOf(ENOENT);
    }
    struct stat found {};
    if (::lstat(utf8Path.c_str(), &found) != 0) {
        if (errno != ENOENT) {
            return LastError();
        }
        auto state = OpenTemporary(utf8Path, nullptr, namer);
        return state ? Result<OutputFile>(OutputFile(std::move(state.value())))
                     : Result<OutputFile>(state.error());
    }
    Result<std::unique_ptr<State>> state = ErrorOf(EISDIR);
    struct stat followed {};
    if (S_ISLNK(found.st_mode) && ::stat(utf8Path.c_str(), &followed) == 0 &&
        FollowsLink(found, followed)) {
        state = OpenInPlace(utf8Path, false);
    } else if (S_ISLNK(found.st_mode)) {
        state = OpenTemporary(utf8Path, nullptr, namer);
    } else if (S_ISREG(found.st_mode)) {
        state = OpenTemporary(utf8Path, &found, namer);
    } else if (!S_ISDIR(found.st_mode)) {
        state = OpenInPlace(utf8Path, true);
    }
    if (!state) {
        return state.error();
    }
    return OutputFile(std::move(state.value()));
}

OutputFile::OutputFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
OutputFile::OutputFile(OutputFile&& other) noexcept = default;
OutputFile& OutputFile::operator=(OutputFile&& other) noexcept = default;
OutputFile::~OutputFile() = default;

std::optional<Error> OutputFile::Write(const char* data, size_t size) {
    while (size > 0) {
        const ssize_t wrote = ::write(state_->fd, data, size);
        if (wrote < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        data += wrote;
        size -= static_cast<size_t>(wrote);
        state_->written += static_cast<uint64_t>(wrote);
    }
    return std::nullopt;
}

std::optional<Error> OutputFile::Commit() {
    State& s = *state_;
    if (s.fd < 0) {
        return ErrorOf(EBADF);
    }
    if (s.inPlace) {
        // A FIFO or a device has nothing to flush to a disk.
        const int closed = ::close(s.fd);
        s.fd = -1;
        return closed == 0 || errno == EINTR ? std::nullopt : std::optional<Error>(LastError());
    }
    if (::fsync(s.fd) != 0) {
        return LastError();
    }
    const int closed = ::close(s.fd);
    s.fd = -1;
    if (closed != 0 && errno != EINTR) {
        return LastError();
    }
    if (::renameat(s.folder, s.temporary.c_str(), s.folder, s.target.c_str()) != 0) {
        return LastError();
    }
    s.committed = true;
    Unregister(s.slot);
    s.slot = -1;
    ::fsync(s.folder);  // the new name on the disk too; a folder that cannot is no failure
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
        const int folder = slot.folder.load();
        if (folder >= 0) {
            ::unlinkat(folder, slot.name.data(), 0);
        }
    }
}

}  // namespace ravelin
