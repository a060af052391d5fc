#include "ui/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

// Set on a window fitted before the window manager framed it: it is fitted again once.
constexpr const char* kFrameAwaited = "tallmereFrameAwaited";

// Platforms that draw no frame round a window.
bool FramesWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

// What the frame adds round Window: as the platform reports it, or until it is known (before
// the window manager framed the window) a title bar and thin borders.
QMargins FrameMargins(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (outer != inner || !FramesWindows()) {
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {border, title + border, border, border};
}

bool FrameKnown(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

// Fits a window when it is shown (a first showing, or one after it was hidden), and once more
// when its frame becomes known, which comes after it shows.
class ScreenFit final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        if (event->type() == QEvent::Show) {
            FitOnScreen(*window);
            window->setProperty(kFrameAwaited, FramesWindows() && !FrameKnown(*window));
        }
        const bool moved = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (moved && window->property(kFrameAwaited).toBool() && FrameKnown(*window)) {
            window->setProperty(kFrameAwaited, false);
            FitOnScreen(*window);
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
    const QMargins frame = FrameMargins(window);
    const QRect outer = window.geometry().marginsAdded(frame);
    const QRect fitted = FitWithin(outer, screen->availableGeometry());
    if (fitted == outer) return;
    window.resize(window.size() - (outer.size() - fitted.size()));
    window.move(fitted.topLeft());
}

void KeepWindowsOnScreen(QApplication& app) {
    app.installEventFilter(new ScreenFit(&app));
}
