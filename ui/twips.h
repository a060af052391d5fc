#pragma once
// Twips (1440 to the inch) are the layout unit of the windows; the screen's logical DPI maps
// them to pixels (15 twips per pixel at 96 DPI).

#include <QRect>

inline constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel of the primary screen; 15 when there is no screen.
double TwipsPerPixel();
int TwipsToPixels(double twips);
// A rectangle given in twips (left, top, width, height), in pixels.
QRect TwipsToPixels(const QRectF& twips);
double PixelsToTwips(double pixels);
