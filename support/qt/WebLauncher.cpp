#include "support/qt/WebLauncher.h"

#include "files/StringRoutines.h"

namespace ravelin {
namespace {

// The shell results that have advice of their own.
constexpr int32_t kOutOfMemory = 8;
constexpr int32_t kFileNotFound = 2;
constexpr int32_t kLastErrorCode = 32;

// What the user can do about the three failures that have a known cause; "" for the others. An
// address without an extension, as a site's home page has, is named whole.
std::string Advice(int32_t result, const std::string& extension, const std::string& address) {
    switch (result) {
        case kShellNoAssociation:
            return (extension.empty() ? "Web page '" + address : "File extension '" + extension) +
                   "' is not associated with any application program.";
        case kOutOfMemory:
            return "Out of memory.";
        case kFileNotFound:
            return "Please try once more.";
        default:
            return {};
    }
}

}  // namespace

std::string FileExtension(std::string_view path, bool lowerCase) {
    const size_t separator = path.find_last_of("\\/");
    const std::string_view name =
        separator == std::string_view::npos ? path : path.substr(separator + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const std::string_view extension = name.substr(dot + 1);
    // The address is UTF-8, which a lower-casing beyond ASCII would corrupt.
    return lowerCase ? AsciiLowerCase(extension) : std::string(extension);
}

std::string LaunchFailureMessage(int32_t result, const std::string& extension,
                                 const std::string& address) {
    std::string message =
        "Error launching web browser, error code = " + std::to_string(result) + ".";
    const std::string advice = Advice(result, extension, address);
    if (!advice.empty()) {
        message += "\r\n\r\n" + advice;
    }
    return message;
}

void LaunchWebPage(const QString& address, WebPageOpener& opener, MessagePresenter& messages,
                   QWidget* parent) {
    const std::string extension = FileExtension(address.toStdString(), true);
    const int32_t result = opener.Open(address);
    if (result > kLastErrorCode) {
        return;
    }
    messages.Show(
        parent,
        QString::fromStdString(LaunchFailureMessage(result, extension, address.toStdString())),
        QStringLiteral("Cannot launch web browser"), MessageIcon::Exclamation);
}

}  // namespace ravelin
