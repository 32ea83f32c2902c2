// Saving the folders and settings to the per-user store, restoring them, and returning the window
// to its defaults.

#include "ui/MainWindow.h"
#include "ui/SettingControl.h"
#include "ui/SettingsStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string_view>

namespace ravelin {
namespace {

constexpr QLatin1String kKey("\\RVN");

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QWidget* frmMain::SettingWidget(const SettingRow& row) const {
    return findChild<QWidget*>(Latin1(row.control), Qt::FindDirectChildrenOnly);
}

QLineEdit* frmMain::SettingBox(SettingId id) const {
    const SettingRow& row = Setting(id);
    const bool box = row.kind == SettingKind::Folder || row.kind == SettingKind::Number;
    return box ? static_cast<QLineEdit*>(SettingWidget(row)) : nullptr;
}

// The five numbers as Clear and a fresh window show them.
void frmMain::ShowClearedNumbers() {
    for (const SettingRow& row : kSettings) {
        if (row.kind == SettingKind::Number) {
            ShowStoredText(row, *SettingWidget(row), Latin1(row.clearValue));
        }
    }
}

void frmMain::cmdSaveSettings_Click() {
    for (const SettingRow& row : kSettings) {
        services_.settings.SaveSettingValue(kKey, Latin1(row.storedName),
                                            StoredText(row, *SettingWidget(row)));
    }
}

void frmMain::cmdRestoreSettings_Click() {
    for (const SettingRow& row : kSettings) {
        ShowStoredText(row, *SettingWidget(row),
                       services_.settings.RestoreSettingValue(kKey, Latin1(row.storedName),
                                                              Latin1(row.restoreValue)));
    }
    if (!ui_.txbFolder[0]->text().isEmpty() && !ui_.txbFolder[1]->text().isEmpty()) {
        ui_.cmdExchangeFolders->setEnabled(true);
    }
    for (QLabel* label : ui_.lblNumFiles) {
        label->clear();
    }
}

// The saved values stay in the store and come back with the next restore.
void frmMain::cmdClearSettings_Click() {
    for (QLabel* label : ui_.lblNumFiles) {
        label->clear();
    }
    strFileExt = TextFileExtension();
    for (const SettingRow& row : kSettings) {
        if (!row.keptByClear) {
            ShowStoredText(row, *SettingWidget(row), Latin1(row.clearValue));
        }
    }
    ui_.cmdExchangeFolders->setEnabled(false);
    report_.Log().SetText("");
    SetWindowHeights(intSmallFormHeight, intSmallOutputHeight);
    ui_.cmdCopyToClipboard->setEnabled(false);
}

SettingTexts frmMain::SettingTextsOfControls() const {
    SettingTexts texts;
    for (const SettingRow& row : kSettings) {
        texts[static_cast<size_t>(row.id)] = ScanText(row, *SettingWidget(row));
    }
    return texts;
}

}  // namespace ravelin
