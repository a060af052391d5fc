#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

double TwipsPerPixel() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return kTwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

QRect TwipsToPixels(const QRectF& twips) {
    return QRect(TwipsToPixels(twips.left()), TwipsToPixels(twips.top()),
                 TwipsToPixels(twips.width()), TwipsToPixels(twips.height()));
}

double PixelsToTwips(double pixels) {
    return pixels * TwipsPerPixel();
}
