#pragma once

// The dialog in which the user names the file to save a scan's results in and picks its format,
// behind an interface so that tests answer it instead of a user.

#include <QString>
#include <QStringList>

class QWidget;

namespace ravelin {

struct SaveChoice {
    QString path;    // empty when the user cancelled
    int format = 0;  // the index of the chosen filter
};

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // One filter per format, in the order of the formats table.
    virtual SaveChoice BrowseForSaveFile(QWidget* owner, const QString& title,
                                         const QStringList& filters,
                                         const QStringList& extensions) = 0;
};

// The platform's own save dialog; a name typed without an extension gets the chosen format's.
class QtSaveDialog final : public SaveDialog {
  public:
    SaveChoice BrowseForSaveFile(QWidget* owner, const QString& title, const QStringList& filters,
                                 const QStringList& extensions) override;
};

}  // namespace ravelin
