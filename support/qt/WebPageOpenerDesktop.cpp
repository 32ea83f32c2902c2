#include "support/qt/WebLauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace ravelin {

// The desktop gives no reason for a refusal; a missing association is the usual one.
int32_t DesktopWebPageOpener::Open(const QString& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(address)) ? kShellOpened
                                                                   : kShellNoAssociation;
}

}  // namespace ravelin
