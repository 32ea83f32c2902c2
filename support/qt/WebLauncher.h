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

// The shell's result when it has accepted an address; 32 or less is an error code.
constexpr int32_t kShellOpened = 42;
// The shell's error code for an address whose kind no program is associated with.
constexpr int32_t kShellNoAssociation = 31;

// The desktop's "open this address" call, behind an interface so tests need no browser.
class WebPageOpener {
  public:
    virtual ~WebPageOpener() = default;
    // The shell's result: above 32 when the address was accepted, an error code otherwise.
    virtual int32_t Open(const QString& address) = 0;
};

// On Windows the shell's own open operation with its error codes; elsewhere the desktop, which
// answers only yes (kShellOpened) or no (kShellNoAssociation).
class DesktopWebPageOpener final : public WebPageOpener {
  public:
    int32_t Open(const QString& address) override;
};

// The part of a path after its last "\" (or "/") and last ".", lower-cased when asked; "" when
// that part has no dot.
std::string FileExtension(std::string_view path, bool lowerCase);

// The message box text for a shell result of 32 or less; the address is named when it has no
// extension.
std::string LaunchFailureMessage(int32_t result, const std::string& extension,
                                 const std::string& address = {});

// Explains in a message box any result of 32 or less.
void LaunchWebPage(const QString& address, WebPageOpener& opener, MessagePresenter& messages,
                   QWidget* parent);

}  // namespace ravelin
