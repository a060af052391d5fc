#pragma once
// Windows never larger than the screen they open on, nor partly off it: sizes and positions in
// twips stand as given when they fit, and give way when the screen is small or scaled up.

#include <QRect>

class QApplication;
class QWidget;

// Outer (a window's frame, in screen coordinates) shrunk to fit Area and moved into it as
// little as it takes.
QRect FitWithin(const QRect& outer, const QRect& area);

// Fits Window, frame included, into the available geometry of its screen: for a window that
// sizes itself again while it shows. Before the window manager has framed the window its
// frame is taken to be a title bar and thin borders, so the frame fits from the first.
void FitOnScreen(QWidget& window);

// From now on every top-level window of App is fitted into the available geometry of its
// screen each time it is shown, and again once its real frame is known.
void KeepWindowsOnScreen(QApplication& app);
