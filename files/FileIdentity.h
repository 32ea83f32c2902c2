#pragma once

// Whether two names lead to the same file: the device and the file's number on it, which links
// and differences of case or spelling of the name do not change.

#include <cstdint>
#include <optional>
#include <string>

namespace ravelin {

struct FileIdentity {
    uint64_t device = 0;
    uint64_t file = 0;

    bool operator==(const FileIdentity&) const = default;
};

// Nothing when the name leads to no file (a broken link, a missing name, no permission).
std::optional<FileIdentity> IdentityOf(const std::string& utf8Path);

}  // namespace ravelin
