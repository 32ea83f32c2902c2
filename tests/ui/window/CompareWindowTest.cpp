#include "WindowTestSupport.h"
#include "engine/MatchHighlight.h"
#include "ui/CompareWindow.h"

#include <QCheckBox>
#include <QTextBlock>

namespace ravelin {
namespace {

const std::string kHarbour =
    "Every morning the harbour master walked along the stone quay, counting fishing boats that\r\n"
    "returned before sunrise. Gulls circled above tarred nets while merchants argued about "
    "prices,\r\n"
    "weather, tides and rumours carried from distant islands across grey water. Children "
    "gathered\r\n"
    "shells, sailors mended ropes, and lanterns burned until daylight finally chased shadows.\r\n";

// The 2nd-folder copy starts two words later and has its ninth compared word changed, so the
// scan matches it at 90 % with the 2nd-folder side shifted by two words.
class CompareWindowTest : public testing::WindowTest {
  protected:
    CompareWindowTest() {
        std::string edited = "Foreword added. " + kHarbour;
        edited.replace(edited.find("counting"), 8, "checking");
        Save("1st folder", MakeFolder("first", 0, {{"harbour.txt", kHarbour}}));
        Save("2nd folder", MakeFolder("second", 0, {{"harbour-edited.txt", edited}}));
        StartWindow();
        Click("cmdStart");
    }

    // The marked words of a pane: how many were equal, then each skipped or differing word.
    static QString Marked(const QPlainTextEdit& pane) {
        int equal = 0;
        QStringList others;
        for (const QTextEdit::ExtraSelection& selection : pane.extraSelections()) {
            const auto mark =
                static_cast<WordMark>(selection.format.property(QTextFormat::UserProperty).toInt());
            const QString word = selection.cursor.selectedText().toLower();
            equal += mark == WordMark::Equal ? 1 : 0;
            if (mark != WordMark::Equal) {
                others << (mark == WordMark::Skipped ? "skipped " : "different ") + word;
            }
        }
        return QString::number(equal) + " equal; " + others.join("; ");
    }
};

TEST_F(CompareWindowTest, OpensOnTheMatchLinesAndMarksTheComparedWords) {
    auto& box = Get<QPlainTextEdit>("txbOutput");
    const auto line = [&box](const QString& start) {
        return box.document()->findBlock(static_cast<int>(box.toPlainText().indexOf(start)));
    };
    // The last line of the match by a double-click, the first by Enter; the line after
    // it opens nothing.
    QTextCursor onLast(line("[2] "));
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, box.cursorRect(onLast).center());
    box.setTextCursor(QTextCursor(line("File '")));
    QTest::keyClick(&box, Qt::Key_Return);
    box.setTextCursor(QTextCursor(box.document()->lastBlock()));
    QTest::keyClick(&box, Qt::Key_Return);
    const auto windows = window_->findChildren<CompareWindow*>();
    ASSERT_EQ(windows.size(), 2);

    for (CompareWindow* compare : windows) {
        const auto label = [compare](const char* name) {
            return compare->findChild<QLabel*>(name)->text();
        };
        EXPECT_EQ(compare->windowTitle(), "Compare 'harbour.txt' and 'harbour-edited.txt'");
        EXPECT_EQ(label("lblMatch"),
                  "Match 1 of 1: 90%, the same text (though not exactly). "
                  "The 2nd-folder side was shifted by 2 words.");
        // The original text and the reduced words are marked alike.
        for (const bool reduced : {false, true}) {
            compare->findChild<QCheckBox*>("chkReducedWords")->setChecked(reduced);
            EXPECT_EQ(Marked(*compare->findChild<QPlainTextEdit*>("txtPane1")),
                      "9 equal; different counting")
                << reduced;
            EXPECT_EQ(Marked(*compare->findChild<QPlainTextEdit*>("txtPane2")),
                      "9 equal; skipped foreword; skipped added; different checking")
                << reduced;
        }
    }
}

}  // namespace
}  // namespace ravelin
