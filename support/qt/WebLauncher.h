#pragma once

// Opens a web page (or a local page by its file address) in the user's default browser and
// explains a failure in a message box.

#include "support/qt/MessagePresenter.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace ravelin {

// The desktop's "open this address" call, behind an interface so tests need no browser.
class WebPageOpener {
  public:
    virtual ~WebPageOpener() = default;
    // True when the desktop accepted the address.
    virtual bool Open(const QString& address) = 0;
};

class DesktopWebPageOpener final : public WebPageOpener {
  public:
    bool Open(const QString& address) override;
};

// The part of a path after its last "\" (or "/") and last ".", lower-cased when asked; "" when
// that part has no dot.
std::string FileExtension(std::string_view path, bool lowerCase);

// The message box text for a shell result of 32 or less; the address is named when it has no
// extension.
std::string LaunchFailureMessage(int32_t result, const std::string& extension,
                                 const std::string& address = {});

// The desktop's yes maps to a success code above 32, its no to 31 (no program associated).
void LaunchWebPage(const QString& address, WebPageOpener& opener, MessagePresenter& messages,
                   QWidget* parent);

}  // namespace ravelin
