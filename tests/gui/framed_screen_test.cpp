// Windows on a small screen at twice the scale, framed by a window manager: the whole frame,
// title bar and borders included, stays on the screen. Run by tests/cli/framed_screen.sh.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"

namespace {

// Waits until the window manager has framed Window.
bool Framed(QWidget& window) {
    return QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 5000);
}

class FramedScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_EQ(screen->devicePixelRatio(), 2);
        ASSERT_EQ(screen->geometry().size() * 2, QSize(1600, 1000));
        area_ = screen->availableGeometry();
    }
    QRect area_;
};

}  // namespace

TEST_F(FramedScreen, TheSummaryWindowFitsFrameAndAll) {
    TempTree tree;
    tree.File("f");
    SummaryWindow summary(StartOn(tree.Path()));
    summary.store.exists = true;
    summary.store.values = {{"ShortDisplay", "True"}};  // nothing to widen for
    summary.Load();
    ASSERT_TRUE(Framed(*summary.window));
    QTest::qWait(200);  // the refit after the frame arrived
    EXPECT_TRUE(area_.contains(summary.window->frameGeometry()))
        << summary.window->frameGeometry().width() << "x"
        << summary.window->frameGeometry().height();
}
