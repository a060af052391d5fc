#include "tests/support/disk_window.h"

#include <gtest/gtest.h>
#include <QAction>

DiskWindow::DiskWindow(const Volume& second) : FakeServices("Quorvane32") {
    volumes.Add(MakeVolume("/"), SpaceReport(100 * kMB, 40 * kMB, "system"));
    volumes.Add(second, SpaceReport(200 * kMB, 150 * kMB));
}

void DiskWindow::Trigger(const char* item) {
    QAction* action = window.findChild<QAction*>(item);
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
}

QString DiskWindow::Cell(int row, int col) const {
    return window.Grid().TextMatrix(row, col);
}
