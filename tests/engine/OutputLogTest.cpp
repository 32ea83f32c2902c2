#include "engine/OutputLog.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

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

}  // namespace
}  // namespace ravelin
