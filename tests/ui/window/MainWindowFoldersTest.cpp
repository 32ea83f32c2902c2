#include "WindowTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ravelin {
namespace {

using testing::WindowTest;

class FoldersTest : public WindowTest {
  protected:
    void Choose(int slot, const QString& answer) {
        folderDialog_.answers.push_back(answer);
        QTest::mouseClick(&Get<QPushButton>(QStringLiteral("cmdFolder%1").arg(slot)),
                          Qt::LeftButton);
    }
    QLineEdit& Folder(int slot) const {
        return Get<QLineEdit>(QStringLiteral("txbFolder%1").arg(slot));
    }
    QLineEdit& Skip(int slot) const {
        return Get<QLineEdit>(QStringLiteral("txbNumWordsToSkip%1").arg(slot));
    }
    QLabel& Count(int slot) const { return Get<QLabel>(QStringLiteral("lblNumFiles%1").arg(slot)); }
    QPushButton& Swap() const { return Get<QPushButton>(QStringLiteral("cmdExchangeFolders")); }
    void TypeIntoOutput(const QString& text) const {
        QTest::keyClicks(&Get<QPlainTextEdit>(QStringLiteral("txbOutput")), text);
    }
};

TEST_F(FoldersTest, AChosenFolderIsCountedAndClearsTheOutput) {
    StartWindow();
    struct Row {
        int files;
        QString caption;
        bool outputCleared;
    };
    const Row rows[] = {
        {1, "[5] one file", true},
        {12, "12 .txt files", true},
        {0, "No .txt files", false},
    };
    for (const Row& row : rows) {
        TypeIntoOutput(QStringLiteral("old report"));
        const QString folder = MakeFolderWithFiles("f" + std::to_string(row.files), row.files);
        Choose(0, folder);
        EXPECT_EQ(Folder(0).text(), folder);
        EXPECT_EQ(Count(0).text(), row.caption);
        EXPECT_EQ(Output().isEmpty(), row.outputCleared) << row.files;
        EXPECT_EQ(window_->Log().Empty(), row.outputCleared) << row.files;
    }
    EXPECT_EQ(folderDialog_.titles, std::vector<QString>(3, QStringLiteral("Select 1st folder")));
    // Only the empty folder was worth a message.
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, Folder(0).text() + "\r\ncontains no .txt files.  ");
    EXPECT_EQ(messages_.shown[0].title, "No files");
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_FALSE(Swap().isEnabled());
}

TEST_F(FoldersTest, SwapIsOfferedOnceBothSlotsAreFilled) {
    StartWindow();
    Choose(1, MakeFolderWithFiles("second", 2));
    EXPECT_FALSE(Swap().isEnabled());
    const QString chosen = Folder(1).text();
    Choose(1, QString());  // cancelled
    EXPECT_EQ(Folder(1).text(), chosen);
    EXPECT_EQ(Count(1).text(), "2 .txt files");
    // A folder without text files is chosen, but its message ends the choice.
    Choose(0, MakeFolderWithFiles("empty", 0));
    EXPECT_FALSE(Swap().isEnabled());
    Choose(0, QString());
    EXPECT_TRUE(Swap().isEnabled());
    EXPECT_EQ(folderDialog_.titles.front(), "Select 2nd folder");
}

TEST_F(FoldersTest, SwappingTwiceRestoresBothSlots) {
    StartWindow();
    const QString first = MakeFolderWithFiles("first", 1);
    const QString second = MakeFolderWithFiles("second", 12);
    Choose(0, first);
    Choose(1, second);
    Skip(0).setText(QStringLiteral("3"));
    Skip(1).setText(QStringLiteral("4"));
    TypeIntoOutput(QStringLiteral("report"));

    QTest::mouseClick(&Swap(), Qt::LeftButton);
    EXPECT_EQ(Folder(0).text(), second);
    EXPECT_EQ(Folder(1).text(), first);
    EXPECT_EQ(Skip(0).text(), "4");
    EXPECT_EQ(Skip(1).text(), "3");
    EXPECT_EQ(Count(0).text(), "12 .txt files");
    EXPECT_EQ(Count(1).text(), "[5] one file");
    EXPECT_EQ(Output(), "report");
    EXPECT_TRUE(Swap().isEnabled());

    QTest::mouseClick(&Swap(), Qt::LeftButton);
    EXPECT_EQ(Folder(0).text(), first);
    EXPECT_EQ(Folder(1).text(), second);
    EXPECT_EQ(Skip(0).text(), "3");
    EXPECT_EQ(Count(0).text(), "[5] one file");
}

}  // namespace
}  // namespace ravelin
