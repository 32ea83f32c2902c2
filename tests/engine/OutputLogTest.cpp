#include "engine/OutputLog.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

class RecordingListener final : public OutputLogListener {
  public:
    std::string text;
    int carets = 0;
    void LogReplaced(const std::string& t) override { text = t; }
    void LogAppended(std::string_view added) override { text.append(added); }
    void LogCaretToEnd() override { ++carets; }
};

TEST(OutputLog, TheCapCountsCharactersAsTheBoxDoes) {
    struct Row {
        int64_t fill;        // characters already in the log
        std::string append;  // what is offered
        bool fits;
    };
    const std::string tenAccented =
        "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
        "\xC3\xA9\xC3\xA9\xC3\xA9";  // 10 characters, 20 bytes
    const Row rows[] = {
        {63990, "0123456789", true},        {63990, "0123456789a", false},
        {63990, tenAccented, true},         {63991, tenAccented, false},
        {63998, "\xF0\x9F\x98\x80", true},  // one character, two UTF-16 units
        {63999, "\xF0\x9F\x98\x80", false},
    };
    for (const Row& row : rows) {
        OutputLog log;
        log.SetText(std::string(static_cast<size_t>(row.fill), 'x'));
        bool full = false;
        AppendToOutput(log, row.append, full, false, kOutputCap);
        EXPECT_EQ(full, !row.fits) << row.fill << " " << row.append;
        EXPECT_EQ(log.Length(), row.fits ? 64000 : row.fill) << row.fill << " " << row.append;
    }
}

TEST(OutputLog, ListenerSeesEveryChange) {
    OutputLog log;
    RecordingListener listener;
    log.SetListener(&listener);
    bool full = false;
    log.SetText("Scanning ...\r\n");
    AppendToOutput(log, "caf\xC3\xA9", full, true, kOutputCap);
    log.CutAt(9);
    log.AppendDirect("#2");
    EXPECT_EQ(listener.text, "Scanning #2");
    EXPECT_EQ(log.Text(), listener.text);
    EXPECT_EQ(log.Length(), 11);
    EXPECT_EQ(listener.carets, 1);

    log.TakeTextFromUser("typed");  // the box already shows it
    EXPECT_EQ(listener.text, "Scanning #2");
    EXPECT_EQ(log.Length(), 5);
    EXPECT_EQ(log.UserEdits(), 1u);
}

}  // namespace
}  // namespace ravelin
