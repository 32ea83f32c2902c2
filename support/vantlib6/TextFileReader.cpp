#include "support/vantlib6/TextFileReader.h"

#include "files/ReadOnlyFile.h"
#include "files/Utf8Path.h"
#include "support/vantlib6/vantlib6.h"

#include <array>
#include <new>

namespace vantlib6 {
namespace {

// Reads to the end rather than trusting the size: some regular files (in /proc) report size 0.
int32_t ReadToEnd(const ravelin::ReadOnlyFile& file, std::string& content) {
    std::array<char, 16384> chunk{};
    for (;;) {
        const ravelin::Result<std::size_t> count = file.Read(chunk.data(), chunk.size());
        if (!count) {
            return VANTLIB6_READ_ERROR;
        }
        if (count.value() == 0) {
            return kStepOk;
        }
        if (content.size() + count.value() > kMaxFileBytes) {
            return VANTLIB6_TOO_MUCH_TEXT;
        }
        content.append(chunk.data(), count.value());
    }
}

}  // namespace

int32_t ReadTextFile(const char* path, std::string& content) {
    content.clear();
    if (path == nullptr) {
        return VANTLIB6_CANNOT_OPEN;
    }
    const auto file = ravelin::ReadOnlyFile::Open(ravelin::Utf8FromNarrowPath(path));
    if (!file) {
        return VANTLIB6_CANNOT_OPEN;
    }
    const auto info = file.value().Status();
    if (!info || info.value().kind != ravelin::FileKind::Regular) {
        return VANTLIB6_READ_ERROR;
    }
    if (info.value().size > kMaxFileBytes) {
        return VANTLIB6_TOO_MUCH_TEXT;
    }
    try {
        content.reserve(static_cast<std::size_t>(info.value().size));
        return ReadToEnd(file.value(), content);
    } catch (const std::bad_alloc&) {
        return VANTLIB6_GENERAL_ALLOCATION;
    }
}

}  // namespace vantlib6
