#include "ui/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// Fits a window when it is shown: a first showing, or one after the window was hidden.
class ScreenFit final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow()) FitOnScreen(*window);
        }
        return false;
    }
};

}  // namespace

QRect FitWithin(const QRect& outer, const QRect& area) {
    QRect fitted(outer.topLeft(), outer.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

void FitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect outer = window.frameGeometry();
    const QRect fitted = FitWithin(outer, screen->availableGeometry());
    if (fitted == outer) return;
    window.resize(window.size() - (outer.size() - fitted.size()));
    window.move(fitted.topLeft());
}

void KeepWindowsOnScreen(QApplication& app) {
    app.installEventFilter(new ScreenFit(&app));
}
