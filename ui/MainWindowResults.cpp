// Saving the last scan's results in any format of the formats table: every match, also those
// past the report's cap, written from the scan's recording exactly as the command line writes
// them.

#include "output/Formats.h"
#include "output/SaveResults.h"
#include "ui/MainWindow.h"
#include "ui/SaveDialog.h"

#include <QMenu>
#include <QPlainTextEdit>

namespace ravelin {

// A running scan's results are saved only while it is paused, when they stand still.
bool frmMain::CanSaveResults() const {
    return recording_.HasScan() && (!ScanRunning() || blnPaused);
}

void frmMain::SaveResultsAs() {
    if (!CanSaveResults()) {
        return;
    }
    QStringList filters;
    QStringList extensions;
    for (const FormatRow& format : kFormats) {
        const QString extension = QString::fromUtf8(
            format.extension.data(), static_cast<qsizetype>(format.extension.size()));
        filters << QStringLiteral("%1, %2 (*.%3)")
                       .arg(QString::fromUtf8(format.name.data(),
                                              static_cast<qsizetype>(format.name.size())),
                            QString::fromUtf8(format.help.data(),
                                              static_cast<qsizetype>(format.help.size())),
                            extension);
        extensions << extension;
    }
    const QString title = QStringLiteral("Save results as");
    const SaveChoice choice =
        services_.saveDialog.BrowseForSaveFile(this, title, filters, extensions);
    if (choice.path.isEmpty() || choice.format < 0 ||
        choice.format >= static_cast<int>(kFormats.size())) {
        return;
    }
    const auto& format = kFormats[static_cast<size_t>(choice.format)];
    // Names are UTF-8 inside the program on every platform.
    const std::string path = choice.path.toStdString();
    if (const auto error = SaveResults(recording_, format, path, services_.texts)) {
        ShowMessageBox(QString::fromStdString(error->message), title, MessageIcon::Exclamation);
    }
}

// The box's own menu, with the save at its end.
void frmMain::ShowOutputMenu(const QPoint& at) {
    const std::unique_ptr<QMenu> menu(ui_.txbOutput->createStandardContextMenu(at));
    menu->addSeparator();
    QAction* save =
        menu->addAction(QStringLiteral("Save results as..."), this, [this] { SaveResultsAs(); });
    save->setShortcut(QKeySequence::Save);
    save->setEnabled(CanSaveResults());
    menu->exec(ui_.txbOutput->viewport()->mapToGlobal(at));
}

}  // namespace ravelin
