// Copying the report to the clipboard, and the timer that keeps the copy button in step with the
// output box, also while a scan runs.

#include "files/StringRoutines.h"
#include "ui/MainWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace ravelin {

// The box is rewritten even when nothing was trimmed; only blanks go, line breaks stay.
void frmMain::cmdCopyToClipboard_Click() {
    report_.Log().SetText(std::string(TrimSpaces(report_.Log().Text())));
    const std::string& text = report_.Log().Text();
    ui_.cmdCopyToClipboard->setEnabled(!text.empty());
    if (text.empty()) {
        return;
    }
    // Pasted on this system, the report keeps the line ends that its programs expect.
    const QString plain = QString::fromStdString(CrLfToLf(text));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(plain);
}

void frmMain::Timer1_Timer() {
    ui_.cmdCopyToClipboard->setEnabled(!report_.Log().Empty());
}

}  // namespace ravelin
