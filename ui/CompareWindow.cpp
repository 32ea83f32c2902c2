#include "ui/CompareWindow.h"

#include "engine/FileWords.h"
#include "files/FolderListing.h"
#include "files/TextEncoding.h"
#include "support/qt/QtChild.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>

#include <algorithm>

namespace ravelin {
namespace {

const QColor kEqualColor(0xC6, 0xEF, 0xCE);
const QColor kDifferentColor(0xFF, 0xC8, 0x96);
const QColor kSkippedColor(0x9A, 0x9A, 0x9A);

// A word the reduction made is looked for this many words ahead of the last one found, so that a
// word the display cannot match costs little and never throws the later ones off.
constexpr size_t kLookAhead = 40;

struct Span {
    int start = -1;
    int length = 0;
};

QString Decoded(const std::string& bytes) {
    return IsValidUtf8(bytes) ? QString::fromStdString(bytes)
                              : QString::fromStdString(Cp1252ToUtf8(bytes));
}

// The file as the scan reads it; a carriage return alone ends a line there, as it does here.
QString FileText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = Decoded(file.readAll().toStdString());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString WordText(const std::string& word) {
    return QString::fromStdString(Cp1252ToUtf8(word));
}

// The reduction lower-cases, folds punctuation and keeps words of four or more letters or digits,
// so each reduced word is one such run of the text, found in order.
std::vector<Span> LocateWords(const QString& text, const std::vector<std::string>& words,
                              size_t count) {
    std::vector<Span> runs;
    for (int i = 0; i < text.size();) {
        int end = i;
        while (end < text.size() && text[end].isLetterOrNumber()) {
            ++end;
        }
        if (end - i >= 4) {
            runs.push_back(Span{i, end - i});
        }
        i = std::max(end, i + 1);
    }
    std::vector<Span> found(count);
    size_t next = 0;
    for (size_t k = 0; k < count; ++k) {
        const QString word = WordText(words[k]);
        const size_t until = std::min(runs.size(), next + kLookAhead);
        for (size_t r = next; r < until; ++r) {
            if (text.mid(runs[r].start, runs[r].length).toLower() == word) {
                found[k] = runs[r];
                next = r + 1;
                break;
            }
        }
    }
    return found;
}

QString Plural(int32_t n, const char* one) {
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(one) +
           (n == 1 ? QString() : QStringLiteral("s"));
}

QString ShiftText(const MatchRecord& match) {
    if (match.shift == 0) {
        return QStringLiteral("Neither side was shifted.");
    }
    return (match.mode == 2 ? QStringLiteral("The 1st-folder side")
                            : QStringLiteral("The 2nd-folder side")) +
           QStringLiteral(" was shifted by ") + Plural(match.shift, "word") + QLatin1Char('.');
}

int32_t ComparedPositions(const std::string& segment) {
    return static_cast<int32_t>(std::count(segment.begin(), segment.end(), ' '));
}

}  // namespace

CompareWindow::CompareWindow(QWidget* owner,
                             std::shared_ptr<const std::vector<MatchRecord>> matches, size_t index)
    : QWidget(owner, Qt::Window), matches_(std::move(matches)) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = NewChild<QVBoxLayout>(this);
    lblMatch_ = NewChild<QLabel>(this);
    lblMatch_->setObjectName(QStringLiteral("lblMatch"));
    lblMatch_->setWordWrap(true);
    layout->addWidget(lblMatch_);
    auto* panes = NewChild<QHBoxLayout>();
    layout->addLayout(panes, 1);
    for (size_t s = 0; s < 2; ++s) {
        Side& side = sides_[s];
        auto* column = NewChild<QVBoxLayout>();
        panes->addLayout(column, 1);
        side.label = NewChild<QLabel>(this);
        side.label->setObjectName(QStringLiteral("lblFile%1").arg(s + 1));
        side.label->setWordWrap(true);
        side.label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        side.pane = NewChild<QPlainTextEdit>(this);
        side.pane->setObjectName(QStringLiteral("txtPane%1").arg(s + 1));
        side.pane->setReadOnly(true);
        side.pane->setTabChangesFocus(true);
        side.pane->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
        column->addWidget(side.label);
        column->addWidget(side.pane, 1);
        connect(side.pane->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this, s](int value) { FollowScroll(s, value); });
    }
    auto* legend = NewChild<QLabel>(
        QStringLiteral("<span style='background:%1'>&nbsp;equal words&nbsp;</span> "
                       "<span style='background:%2'>&nbsp;differing words&nbsp;</span> "
                       "<span style='color:%3'>skipped words</span>")
            .arg(kEqualColor.name(), kDifferentColor.name(), kSkippedColor.name()),
        this);
    layout->addWidget(legend);
    auto* buttons = NewChild<QHBoxLayout>();
    layout->addLayout(buttons);
    cmdPrevious_ = NewChild<QPushButton>(QStringLiteral("&Previous"), this);
    cmdPrevious_->setObjectName(QStringLiteral("cmdPrevious"));
    cmdNext_ = NewChild<QPushButton>(QStringLiteral("&Next"), this);
    cmdNext_->setObjectName(QStringLiteral("cmdNext"));
    chkReducedWords_ = NewChild<QCheckBox>(QStringLiteral("&Reduced words"), this);
    chkReducedWords_->setObjectName(QStringLiteral("chkReducedWords"));
    auto* cmdClose = NewChild<QPushButton>(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(cmdPrevious_);
    buttons->addWidget(cmdNext_);
    buttons->addWidget(chkReducedWords_);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    connect(cmdPrevious_, &QPushButton::clicked, this, [this] { ShowMatch(index_ - 1); });
    connect(cmdNext_, &QPushButton::clicked, this, [this] { ShowMatch(index_ + 1); });
    connect(chkReducedWords_, &QCheckBox::toggled, this, [this] { ShowPanes(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = NewChild<QShortcut>(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(960, 560);
    ShowMatch(index);
}

void CompareWindow::ShowMatch(size_t index) {
    if (index >= matches_->size()) {
        return;
    }
    index_ = index;
    const MatchRecord& match = (*matches_)[index];
    const int32_t segment = 2 * match.numWordsToCompare;
    std::array<QString, 2> names;
    for (size_t s = 0; s < 2; ++s) {
        Side& side = sides_[s];
        names[s] = QString::fromStdString(match.names[s]);
        const std::string path = FullPath(match.folders[s], match.names[s]);
        const int32_t needed = segment + match.numWordsToSkip[s];
        side.words.clear();
        if (s == 0) {
            ReadFirstFolderWords(path, needed, side.words);
        } else {
            ReadSecondFolderWords(path, needed, side.words);
        }
        side.original = FileText(path);
        side.label->setText(QStringLiteral("[%1] '%2' in the %3 folder: %4")
                                .arg(QString::number(s + 1), names[s],
                                     s == 0 ? QStringLiteral("1st") : QStringLiteral("2nd"),
                                     QString::fromStdString(match.folders[s])));
    }
    highlight_ = HighlightMatch(sides_[0].words, sides_[1].words, match.numWordsToSkip, match.mode,
                                match.shift, ComparedPositions(match.segments[0]));
    setWindowTitle(QStringLiteral("Compare '%1' and '%2'").arg(names[0], names[1]));
    ShowPosition();
    ShowPanes();
}

void CompareWindow::MatchesGrew() {
    ShowPosition();
}

void CompareWindow::ShowPosition() {
    const MatchRecord& match = (*matches_)[index_];
    lblMatch_->setText(QStringLiteral("Match %1 of %2: %3%, the same text%4 %5")
                           .arg(QString::number(index_ + 1), QString::number(matches_->size()),
                                QString::number(match.percent),
                                match.percent == 100 ? QStringLiteral(".")
                                                     : QStringLiteral(" (though not exactly)."),
                                ShiftText(match)));
    cmdPrevious_->setEnabled(index_ > 0);
    cmdNext_->setEnabled(index_ + 1 < matches_->size());
}

void CompareWindow::ShowPanes() {
    scrolling_ = true;
    for (size_t s = 0; s < 2; ++s) {
        ShowPane(s);
    }
    scrolling_ = false;
    ScrollToComparedWords();
}

void CompareWindow::ShowPane(size_t side) {
    Side& shown = sides_[side];
    const auto s = static_cast<int>(side);
    const auto marked = static_cast<size_t>(highlight_.last[side]);
    std::vector<Span> spans;
    QString text;
    if (chkReducedWords_->isChecked()) {
        for (const std::string& word : shown.words) {
            const QString w = WordText(word);
            spans.push_back(Span{static_cast<int>(text.size()), static_cast<int>(w.size())});
            text += w + QLatin1Char(' ');
        }
    } else {
        text = shown.original;
        spans = LocateWords(text, shown.words, std::min(marked, shown.words.size()));
    }
    shown.pane->setPlainText(text);
    QList<QTextEdit::ExtraSelection> selections;
    firstCompared_[side] = -1;
    for (size_t k = 0; k < std::min(marked, spans.size()); ++k) {
        if (spans[k].start < 0) {
            continue;
        }
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(shown.pane->document());
        selection.cursor.setPosition(spans[k].start);
        selection.cursor.setPosition(spans[k].start + spans[k].length, QTextCursor::KeepAnchor);
        const WordMark mark = highlight_.Mark(s, static_cast<int32_t>(k));
        selection.format.setProperty(QTextFormat::UserProperty, static_cast<int>(mark));
        if (mark == WordMark::Skipped) {
            selection.format.setForeground(kSkippedColor);
        } else {
            selection.format.setBackground(mark == WordMark::Equal ? kEqualColor : kDifferentColor);
            if (firstCompared_[side] < 0) {
                firstCompared_[side] = spans[k].start;
            }
        }
        selections.append(selection);
    }
    shown.pane->setExtraSelections(selections);
}

// From the end back to the word, so that the word comes to the top of the pane.
void CompareWindow::ScrollToComparedWords() {
    scrolling_ = true;
    for (size_t s = 0; s < 2; ++s) {
        QPlainTextEdit& pane = *sides_[s].pane;
        pane.moveCursor(QTextCursor::End);
        pane.ensureCursorVisible();
        QTextCursor cursor(pane.document());
        cursor.setPosition(std::max(firstCompared_[s], 0));
        pane.setTextCursor(cursor);
        pane.ensureCursorVisible();
        sides_[s].lastScroll = pane.verticalScrollBar()->value();
    }
    scrolling_ = false;
}

// The panes scroll together, each by as much as the other, from where their compared words
// began.
void CompareWindow::FollowScroll(size_t side, int value) {
    const int moved = value - sides_[side].lastScroll;
    sides_[side].lastScroll = value;
    if (scrolling_) {
        return;
    }
    scrolling_ = true;
    Side& other = sides_[1 - side];
    QScrollBar& bar = *other.pane->verticalScrollBar();
    bar.setValue(bar.value() + moved);
    other.lastScroll = bar.value();
    scrolling_ = false;
}

void CompareWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ScrollToComparedWords();
}

}  // namespace ravelin
