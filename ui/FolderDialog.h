#pragma once

// The dialog in which the user picks a folder for one of the two slots, behind an interface so
// that tests answer it instead of a user.

#include <QString>

class QWidget;

namespace ravelin {

class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder's path, or an empty text when the user cancelled.
    virtual QString BrowseForFolder(QWidget* owner, const QString& title) = 0;
};

// Only folders of the file system can be chosen; on Windows it is the shell's folder-browse
// dialog, rooted at the desktop.
class QtFolderDialog final : public FolderDialog {
  public:
    QString BrowseForFolder(QWidget* owner, const QString& title) override;
};

}  // namespace ravelin
