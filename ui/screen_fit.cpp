#include "ui/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

// How long a window manager may take to frame a window shown, and how often to look.
constexpr int kFrameWaitMs = 3000;
constexpr int kFrameLookMs = 50;

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

// Fits Window again once the window manager has framed it, which happens after it shows and
// tells no event of its own.
void FitOnceFramed(QWidget& window) {
    auto* look = new QTimer(&window);
    look->setInterval(kFrameLookMs);
    QObject::connect(look, &QTimer::timeout, &window, [&window, look, tries = 0]() mutable {
        const bool framed = FrameKnown(window);
        if (framed) FitOnScreen(window);
        if (framed || ++tries * kFrameLookMs >= kFrameWaitMs) {
            look->stop();
            look->deleteLater();
        }
    });
    look->start();
}

// Fits a window when it is shown (a first showing, or one after it was hidden), and once more
// when its frame becomes known.
class ScreenFit final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow()) return false;
        FitOnScreen(*window);
        if (FramesWindows() && !FrameKnown(*window)) FitOnceFramed(*window);
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
