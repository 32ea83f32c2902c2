#include "support/qt/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace ravelin {

int TwipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / logicalDpi));
}

double LogicalDpi(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace ravelin
