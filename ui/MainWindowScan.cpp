// The window as the scan driver sees it: what a scan reads from the controls and how it shows its
// progress and its report. Every change is painted at once, because the scan runs on this thread
// and paints happen only when it yields.

#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace ravelin {
namespace {

// The engine's log ends its lines with CR LF; the box ends them with LF.
QString ForTheBox(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::string ForTheLog(const QString& text) {
    QString log = text;
    log.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return log.toStdString();
}

}  // namespace

std::string frmMain::SettingText(SettingField field) const {
    switch (field) {
        case SettingField::NumWordsToCompare:
            return ui_.txbNumWordsToCompare->text().toStdString();
        case SettingField::NumWordsOfReducedTextToDisplay:
            return ui_.txbNumWordsOfReducedTextToDisplay->text().toStdString();
        case SettingField::MatchThreshold:
            return ui_.txbMatchThreshold->text().toStdString();
        case SettingField::NumWordsToSkip1st:
            return ui_.txbNumWordsToSkip[0]->text().toStdString();
        case SettingField::NumWordsToSkip2nd:
            return ui_.txbNumWordsToSkip[1]->text().toStdString();
    }
    return {};
}

// The check box's states as the settings store them: 0 clear, 1 ticked, 2 greyed.
int frmMain::DisplayReducedTextState() const {
    switch (ui_.chkDisplayReducedText->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

// Folder paths travel to the file system as the bytes it names them by.
std::string frmMain::FolderText(int slot) const {
    return QFile::encodeName(ui_.txbFolder[slot]->text()).toStdString();
}

void frmMain::SetFolderText(int slot, const std::string& text) {
    ui_.txbFolder[slot]->setText(QFile::decodeName(QByteArray::fromStdString(text)));
}

void frmMain::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    ShowMessageBox(QString::fromStdString(text), QString::fromStdString(title), icon);
}

void frmMain::SetCaptions(const std::string& start, const std::string& quit) {
    ui_.cmdStart->setText(QString::fromStdString(start));
    ui_.cmdQuit->setText(QString::fromStdString(quit));
    ui_.cmdStart->repaint();
    ui_.cmdQuit->repaint();
}

void frmMain::SetProcessingFileLabel(const std::string& text) {
    ui_.lblProcessingFile->setText(QString::fromStdString(text));
    ui_.lblProcessingFile->repaint();
}

void frmMain::SetDuplicatesLabel(const std::string& text) {
    ui_.lblNoDuplicatesFound->setText(QString::fromStdString(text));
    ui_.lblNoDuplicatesFound->repaint();
}

void frmMain::SetCopyButtonEnabled(bool enabled) {
    ui_.cmdCopyToClipboard->setEnabled(enabled);
}

void frmMain::EnableControls(bool enabled) {
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QAbstractButton*>(control) != nullptr ||
            qobject_cast<QLineEdit*>(control) != nullptr ||
            qobject_cast<QPlainTextEdit*>(control) != nullptr) {
            control->setEnabled(enabled);
        }
    }
    repaint();
}

void frmMain::EnableScanControls() {
    ui_.cmdStart->setEnabled(true);
    ui_.cmdQuit->setEnabled(true);
    ui_.txbOutput->setEnabled(true);
}

// Heights of the outer window; the client area is the non-client strip smaller.
void frmMain::SetWindowHeights(int formTwips, int outputTwips) {
    setFixedSize(Px(kDesignClientWidth), Px(formTwips - kNonClientHeight));
    ui_.txbOutput->resize(ui_.txbOutput->width(), Px(outputTwips));
    repaint();
}

void frmMain::ShowMakerLabels(bool show) {
    ui_.lblProcessingFile->setVisible(!show);
    ui_.lblNoDuplicatesFound->setVisible(!show);
    ui_.lblProcessingFile->repaint();
    ui_.lblNoDuplicatesFound->repaint();
    ui_.lblCopyright->setVisible(show);
    ui_.lblQuillmere->setVisible(show);
    ui_.lblQMurl->setVisible(show);
}

void frmMain::Yield() {
    QCoreApplication::processEvents();
}

void frmMain::WaitSeconds(int seconds) {
    services_.waitSeconds(seconds);
}

void frmMain::ShowLogText(const std::string& text) {
    showingLog_ = true;
    ui_.txbOutput->setPlainText(ForTheBox(text));
    showingLog_ = false;
}

void frmMain::LogReplaced(const std::string& text) {
    ShowLogText(text);
    ui_.txbOutput->repaint();
}

// Added at the end without rewriting the box, so that the view and the caret stay where they are.
void frmMain::LogAppended(std::string_view added) {
    showingLog_ = true;
    QTextCursor end(ui_.txbOutput->document());
    end.movePosition(QTextCursor::End);
    end.insertText(ForTheBox(added));
    showingLog_ = false;
    ui_.txbOutput->repaint();
}

void frmMain::LogCaretToEnd() {
    ui_.txbOutput->moveCursor(QTextCursor::End);
    ui_.txbOutput->ensureCursorVisible();
}

// What the user types into the box becomes the log, without being written back to the box.
void frmMain::UserEditedOutput() {
    if (!showingLog_) {
        driver_.Log().TakeTextFromUser(ForTheLog(ui_.txbOutput->toPlainText()));
    }
}

}  // namespace ravelin
