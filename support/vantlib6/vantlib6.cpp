#include "support/vantlib6/vantlib6.h"

#include "support/vantlib6/TextFileParser.h"
#include "support/vantlib6/TextFileReader.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

namespace vantlib6 {
namespace {

// The texts live here from a successful load until the process ends: the C interface offers the
// caller no handle to keep them in.
class TextStore {
  public:
    void Replace(TextMap texts) {
        const std::lock_guard lock(mutex_);
        texts_ = std::move(texts);
    }

    int32_t Copy(int32_t n, char* buffer, int32_t size, int32_t mode) const {
        const std::lock_guard lock(mutex_);
        const auto found = texts_.find(n);
        if (found == texts_.end()) {
            return 0;
        }
        const std::string& text = found->second;
        const auto room = static_cast<std::size_t>(mode == VANTLIB6_COPY_RAW ? size : size - 1);
        const std::size_t count = std::min(text.size(), room);
        std::memcpy(buffer, text.data(), count);
        if (mode == VANTLIB6_COPY_TERMINATED) {
            buffer[count] = '\0';
        }
        return static_cast<int32_t>(count);
    }

  private:
    mutable std::mutex mutex_;
    TextMap texts_;
};

TextStore& Store() {
    static TextStore store;
    return store;
}

int32_t Load(const char* path) {
    std::string content;
    const int32_t read = ReadTextFile(path, content);
    if (read != kStepOk) {
        return read;
    }
    TextMap texts;
    const int32_t count = ParseTextFile(content, texts);
    if (count > 0) {
        Store().Replace(std::move(texts));
    }
    return count;
}

bool IsKnownMode(int32_t mode) {
    return mode == VANTLIB6_COPY_RAW || mode == VANTLIB6_COPY_TERMINATED;
}

}  // namespace
}  // namespace vantlib6

// No exception may cross the C interface.
extern "C" VANTLIB6_API int32_t VANTLIB6_CALL lt(const char* path, int32_t flags) {
    if (flags != 0) {
        return VANTLIB6_CALL_REFUSED;
    }
    try {
        return vantlib6::Load(path);
    } catch (...) {
        return VANTLIB6_CALL_REFUSED;
    }
}

extern "C" VANTLIB6_API int32_t VANTLIB6_CALL gt(int32_t n, int32_t selector, char* buffer,
                                                 int32_t size, int32_t mode) {
    if (selector != 0 || buffer == nullptr || size <= 0 || !vantlib6::IsKnownMode(mode)) {
        return 0;
    }
    try {
        return vantlib6::Store().Copy(n, buffer, size, mode);
    } catch (...) {
        return 0;
    }
}
