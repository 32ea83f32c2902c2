#include "files/FileIdentity.h"

#include <sys/stat.h>

namespace ravelin {

std::optional<FileIdentity> IdentityOf(const std::string& utf8Path) {
    struct stat info {};
    if (::stat(utf8Path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

}  // namespace ravelin
