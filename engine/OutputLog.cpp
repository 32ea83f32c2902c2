#include "engine/OutputLog.h"

#include "files/TextEncoding.h"

namespace ravelin {

void OutputLog::SetText(std::string text) {
    text_ = std::move(text);
    length_ = Utf16Length(text_);
    if (listener_ != nullptr) {
        listener_->LogReplaced(text_);
    }
}

void OutputLog::AppendDirect(std::string_view text) {
    text_.append(text);
    length_ += Utf16Length(text);
    if (listener_ != nullptr) {
        listener_->LogAppended(text);
    }
}

void OutputLog::CutAt(size_t at) {
    if (at >= text_.size()) {
        return;
    }
    length_ -= Utf16Length(std::string_view(text_).substr(at));
    text_.resize(at);
    if (listener_ != nullptr) {
        listener_->LogReplaced(text_);
    }
}

void OutputLog::MoveCaretToEnd() {
    if (listener_ != nullptr) {
        listener_->LogCaretToEnd();
    }
}

void OutputLog::TakeTextFromUser(std::string text) {
    text_ = std::move(text);
    length_ = Utf16Length(text_);
    ++userEdits_;
}

std::optional<size_t> NotedText(const OutputLog& log, const std::optional<size_t>& at,
                                uint64_t editsWhenNoted, std::string_view text) {
    const std::string& written = log.Text();
    if (log.UserEdits() == editsWhenNoted) {
        if (at && *at <= written.size() && written.compare(*at, text.size(), text) == 0) {
            return at;
        }
        return std::nullopt;
    }
    const size_t found = written.rfind(text);
    return found == std::string::npos ? std::nullopt : std::optional<size_t>(found);
}

void AppendToOutput(OutputLog& txbBox, std::string_view strText, bool& blnFull, bool blnMoveCaret,
                    int64_t lngMaxLen) {
    if (blnFull) {
        return;
    }
    if (txbBox.Length() + Utf16Length(strText) > lngMaxLen) {
        blnFull = true;
        return;
    }
    txbBox.AppendDirect(strText);
    if (blnMoveCaret) {
        txbBox.MoveCaretToEnd();
    }
}

}  // namespace ravelin
