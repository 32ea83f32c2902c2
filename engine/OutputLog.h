#pragma once

// The report of a scan as the output box holds it: one UTF-8 text with "\r\n" line ends, whose
// length is counted as the box counts it, in UTF-16 code units.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravelin {

inline constexpr int64_t kOutputCap = 64000;

// Whoever shows the log hears of every change, in the smallest form it can take.
class OutputLogListener {
  public:
    virtual ~OutputLogListener() = default;
    virtual void LogReplaced(const std::string& text) = 0;
    virtual void LogAppended(std::string_view added) = 0;
    virtual void LogCaretToEnd() = 0;
};

class OutputLog {
  public:
    void SetListener(OutputLogListener* listener) { listener_ = listener; }

    const std::string& Text() const { return text_; }
    int64_t Length() const { return length_; }
    bool Empty() const { return text_.empty(); }

    // Direct writes, not bounded by the cap.
    void SetText(std::string text);
    void AppendDirect(std::string_view text);
    // Keeps the text before byte position `at`.
    void CutAt(size_t at);
    void MoveCaretToEnd();

    // The user typed into the box: the log follows without telling the box again.
    void TakeTextFromUser(std::string text);
    // Counts how often the user changed the text, so that positions noted earlier can be checked.
    uint64_t UserEdits() const { return userEdits_; }

  private:
    std::string text_;
    int64_t length_ = 0;
    uint64_t userEdits_ = 0;
    OutputLogListener* listener_ = nullptr;
};

// A text someone wrote into the log at `at`, looked for now: there, if the user has not edited
// the log since (`editsWhenNoted`) and it still stands there; after an edit, the last place
// that holds it; nothing when it is gone.
std::optional<size_t> NotedText(const OutputLog& log, const std::optional<size_t>& at,
                                uint64_t editsWhenNoted, std::string_view text);

// Appends unless the text would take the log past lngMaxLen characters; then sets blnFull, which
// refuses everything after it, whatever its length.
void AppendToOutput(OutputLog& txbBox, std::string_view strText, bool& blnFull, bool blnMoveCaret,
                    int64_t lngMaxLen);

}  // namespace ravelin
