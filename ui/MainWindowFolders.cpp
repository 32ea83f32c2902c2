// The two folder slots: choosing a folder for a slot and counting its files, and swapping the
// slots.

#include "files/FolderListing.h"
#include "files/StringRoutines.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ravelin {

void frmMain::cmdFolder_Click(int index) {
    const QString title =
        QStringLiteral("Select ") + QString::fromStdString(Ordinal(index + 1)) + " folder";
    const QString path = services_.folderDialog.BrowseForFolder(this, title);
    if (!path.isEmpty()) {
        ui_.txbFolder[index]->setText(path);
        std::string error;
        bool accessDenied = false;
        // Names are UTF-8 for the engine on every system (Qt's 8-bit file names are the ANSI code
        // page on Windows).
        const int32_t count = CountFiles(path.toStdString(), "*." + strFileExt.toStdString(), error,
                                         accessDenied, [this] { Yield(); });
        if (count == 0) {
            ShowMessageBox(path + QStringLiteral("\r\ncontains no .") + strFileExt +
                               QStringLiteral(" files.  "),
                           QStringLiteral("No files"), MessageIcon::Information);
            ui_.lblNumFiles[index]->setText(QStringLiteral("No .") + strFileExt +
                                            QStringLiteral(" files"));
            return;
        }
        ui_.lblNumFiles[index]->setText(FileCountCaption(count));
        report_.Log().SetText("");
    }
    if (!ui_.txbFolder[0]->text().isEmpty() && !ui_.txbFolder[1]->text().isEmpty()) {
        ui_.cmdExchangeFolders->setEnabled(true);
    }
}

// The two slots trade their paths, skip counts and count captions; nothing is counted again.
void frmMain::cmdExchangeFolders_Click() {
    if (ui_.txbFolder[0]->text().isEmpty() || ui_.txbFolder[1]->text().isEmpty()) {
        ui_.cmdExchangeFolders->setEnabled(false);
        return;
    }
    const auto swapTexts = [](auto* first, auto* second) {
        const QString text = first->text();
        first->setText(second->text());
        second->setText(text);
    };
    swapTexts(ui_.txbFolder[0], ui_.txbFolder[1]);
    swapTexts(ui_.txbNumWordsToSkip[0], ui_.txbNumWordsToSkip[1]);
    swapTexts(ui_.lblNumFiles[0], ui_.lblNumFiles[1]);
}

}  // namespace ravelin
