#include "output/PageText.h"

#include "engine/TracedReduction.h"
#include "files/ReadOnlyFile.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <iterator>

namespace ravelin {
namespace {

// However long a file's words, the page takes no more of it than this.
constexpr size_t kMostBytes = size_t{4} << 20;

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Up to `bytes` bytes of the file, and whether it ends there.
bool ReadBeginning(const ReadOnlyFile& file, size_t bytes, std::string& text) {
    while (text.size() < bytes) {
        const size_t had = text.size();
        text.resize(bytes);
        const Result<size_t> got = file.Read(text.data() + had, bytes - had);
        text.resize(had + (got ? got.value() : 0));
        if (!got || got.value() == 0) {
            return true;
        }
    }
    return false;
}

struct Beginning {
    std::string stored;
    std::vector<ByteSpan> spans;
    bool ended = false;
};

// Reads on until the words asked for lie whole in what was read: one word more than asked, or
// the end of the file.
Beginning ReadWords(const std::string& path, int32_t words, size_t bytes) {
    Beginning beginning;
    Result<ReadOnlyFile> file = ReadOnlyFile::Open(path);
    const Result<FileStatus> status =
        file ? file.value().Status() : Result<FileStatus>(file.error());
    if (!status || status.value().kind != FileKind::Regular) {
        beginning.ended = true;
        return beginning;
    }
    for (size_t limit = bytes;; limit = std::min(limit * 2, kMostBytes)) {
        beginning.ended = ReadBeginning(file.value(), limit, beginning.stored);
        beginning.spans.clear();
        ReduceStoredText(beginning.stored, [&beginning](std::string_view, ByteSpan span) {
            beginning.spans.push_back(span);
        });
        if (beginning.ended || beginning.spans.size() > static_cast<size_t>(words) ||
            limit == kMostBytes) {
            break;
        }
    }
    beginning.spans.resize(std::min(beginning.spans.size(), static_cast<size_t>(words)));
    return beginning;
}

// The UTF-16 length of each UTF-8 prefix that ends at a byte a span names.
std::vector<uint32_t> Utf16Spans(const std::string& utf8, const std::vector<ByteSpan>& spans) {
    std::vector<uint32_t> units;
    uint32_t unit = 0;
    size_t at = 0;
    const auto advance = [&](uint64_t to) {
        for (; at < to && at < utf8.size(); ++at) {
            const auto c = static_cast<unsigned char>(utf8[at]);
            unit += IsContinuation(utf8[at]) ? 0 : c >= 0xF0 ? 2 : 1;
        }
        return unit;
    };
    for (const ByteSpan& span : spans) {
        units.push_back(advance(span.offset));
        units.push_back(advance(span.offset + span.length));
    }
    return units;
}

}  // namespace

PageText ReadPageText(const std::string& path, int32_t words, size_t bytes) {
    Beginning beginning = ReadWords(path, words, bytes);
    std::string& stored = beginning.stored;
    PageText page;
    if (!beginning.ended) {
        // A character cut at the end is left out, so that a UTF-8 text stays UTF-8.
        for (size_t cut = stored.size(); cut + 4 > stored.size() && cut > 0; --cut) {
            if (IsValidUtf8(std::string_view(stored).substr(0, cut))) {
                stored.resize(cut);
                break;
            }
        }
    }
    if (IsValidUtf8(stored)) {
        page.spans = Utf16Spans(stored, beginning.spans);
        page.text = std::move(stored);
    } else {
        // Each Windows-1252 byte is one character of the basic plane: one unit each.
        for (const ByteSpan& span : beginning.spans) {
            page.spans.push_back(static_cast<uint32_t>(span.offset));
            page.spans.push_back(static_cast<uint32_t>(span.offset + span.length));
        }
        page.text = Cp1252ToUtf8(stored);
    }
    if (!beginning.ended) {
        page.text += "\xE2\x80\xA6";
    }
    return page;
}

Utf16Places::Utf16Places(std::string_view utf8, bool stored) : bytes_(utf8.size()) {
    if (!stored) {
        return;
    }
    uint64_t extra = 0;
    for (size_t at = 0; at < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[at]);
        const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        at += length;
        if (length > 1) {
            extra += length - (length == 4 ? 2 : 1);
            marks_.push_back({at, extra});
        }
    }
}

uint32_t Utf16Places::At(uint64_t offset) const {
    offset = std::min(offset, bytes_);
    const auto after =
        std::upper_bound(marks_.begin(), marks_.end(), offset,
                         [](uint64_t at, const Mark& mark) { return at < mark.end; });
    return static_cast<uint32_t>(offset - (after == marks_.begin() ? 0 : std::prev(after)->extra));
}

WholePageText ReadWholePageText(const std::string& path, uint64_t mostBytes) {
    WholePageText page;
    {
        Result<ReadOnlyFile> file = ReadOnlyFile::Open(path);
        const Result<FileStatus> status =
            file ? file.value().Status() : Result<FileStatus>(file.error());
        if (!status || status.value().kind != FileKind::Regular ||
            status.value().size > mostBytes) {
            return page;
        }
    }
    Result<std::string> stored = ReadStoredFile(path);
    if (!stored || stored.value().size() > mostBytes) {
        return page;
    }
    page.shown = true;
    if (IsValidUtf8(stored.value())) {
        page.places = Utf16Places(stored.value(), true);
        page.text = std::move(stored.value());
    } else {
        page.places = Utf16Places(stored.value(), false);
        page.text = Cp1252ToUtf8(stored.value());
    }
    return page;
}

}  // namespace ravelin
