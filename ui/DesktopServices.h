#pragma once

// What the window asks of a real desktop: its message boxes, folder dialog, notices, browser,
// catalog and the user's settings. The program and the screenshot tool build the window on it.

#include "support/LibraryTextCatalog.h"
#include "support/qt/MessagePresenter.h"
#include "support/qt/PopUpWindow.h"
#include "support/qt/WebLauncher.h"
#include "ui/CatalogWindow.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/SaveDialog.h"
#include "ui/SettingsStore.h"

#include <functional>
#include <string>
#include <utility>

namespace ravelin {

class DesktopServices {
  public:
    DesktopServices(std::string programFolder, std::function<void(int)> waitSeconds)
        : programFolder_(std::move(programFolder)), waitSeconds_(std::move(waitSeconds)) {}

    // Valid as long as this object lives; the program texts must be loaded first.
    MainWindowServices Services() {
        return {texts_,        messages_,
                folderDialog_, saveDialog_,
                notices_,      opener_,
                catalog_,      settings_,
                waitSeconds_,  QString::fromStdString(programFolder_)};
    }

  private:
    std::string programFolder_;
    std::function<void(int)> waitSeconds_;
    const LibraryTextCatalog texts_;
    QtMessagePresenter messages_;
    QtFolderDialog folderDialog_;
    QtSaveDialog saveDialog_;
    PopUpNotices notices_;
    DesktopWebPageOpener opener_;
    CatalogWindowPresenter catalog_{opener_, messages_};
    const SettingsStore settings_;
};

}  // namespace ravelin
