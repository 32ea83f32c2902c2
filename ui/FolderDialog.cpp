#include "ui/FolderDialog.h"

#include <QFileDialog>

namespace ravelin {

QString QtFolderDialog::BrowseForFolder(QWidget* owner, const QString& title) {
    return QFileDialog::getExistingDirectory(owner, title);
}

}  // namespace ravelin
