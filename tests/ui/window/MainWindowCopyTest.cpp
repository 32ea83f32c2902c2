#include "WindowTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace ravelin {
namespace {

using testing::EventuallyTrue;
using testing::WindowTest;

class CopyTest : public WindowTest {
  protected:
    CopyTest() {
        StartWindow();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    QPlainTextEdit& Box() const { return Get<QPlainTextEdit>(QStringLiteral("txbOutput")); }
    QPushButton& Copy() const { return Get<QPushButton>(QStringLiteral("cmdCopyToClipboard")); }
    // The timer enables the button within a second of text arriving.
    bool CopyBecomesEnabled() const {
        return EventuallyTrue([this] { return Copy().isEnabled(); });
    }
};

TEST_F(CopyTest, CopyTrimsBlanksButKeepsLineBreaks) {
    EXPECT_FALSE(Copy().isEnabled());
    QTest::keyClicks(&Box(), QStringLiteral("  first line"));
    QTest::keyClick(&Box(), Qt::Key_Return);
    QTest::keyClicks(&Box(), QStringLiteral("second line"));
    QTest::keyClick(&Box(), Qt::Key_Return);
    QTest::keyClicks(&Box(), QStringLiteral("  "));
    // What the user types becomes the report, with the report's own line ends.
    EXPECT_EQ(window_->Log().Text(), "  first line\r\nsecond line\r\n  ");
    ASSERT_TRUE(CopyBecomesEnabled());

    QTest::mouseClick(&Copy(), Qt::LeftButton);
    EXPECT_EQ(Output(), "first line\nsecond line\n");
    EXPECT_EQ(window_->Log().Text(), "first line\r\nsecond line\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "first line\nsecond line\n");
    EXPECT_TRUE(Copy().isEnabled());
}

TEST_F(CopyTest, ABoxOfBlanksIsEmptiedAndTheClipboardLeftAlone) {
    QTest::keyClicks(&Box(), QStringLiteral("   "));
    ASSERT_TRUE(CopyBecomesEnabled());
    QTest::mouseClick(&Copy(), Qt::LeftButton);
    EXPECT_EQ(Output(), "");
    EXPECT_TRUE(window_->Log().Empty());
    EXPECT_FALSE(Copy().isEnabled());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST_F(CopyTest, ClearDisablesCopyAtOnceAndTheTimerKeepsItSo) {
    QTest::keyClicks(&Box(), QStringLiteral("report"));
    ASSERT_TRUE(CopyBecomesEnabled());
    QTest::mouseClick(&Get<QPushButton>(QStringLiteral("cmdClearSettings")), Qt::LeftButton);
    EXPECT_FALSE(Copy().isEnabled());
    EXPECT_EQ(Output(), "");
    QTest::qWait(1500);  // at least one more tick
    EXPECT_FALSE(Copy().isEnabled());
}

}  // namespace
}  // namespace ravelin
