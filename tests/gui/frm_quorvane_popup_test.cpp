#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "chart/frm_chart.h"
#include "chart/frm_trend.h"
#include "drives/frm_quorvane.h"
#include "tests/support/data_home.h"
#include "tests/support/disk_window.h"
#include "tests/support/modal.h"
#include "tests/support/qt_print.h"
#include "ui/flex_grid.h"

namespace {

// PATH holds only a temporary folder for the life of the object, with a tallmere32 program
// in it when asked; the fake launcher never runs it.
class ProgramPath {
  public:
    explicit ProgramPath(bool withProgram) : saved_(qgetenv("PATH")) {
        if (withProgram) {
            QFile program(folder_.filePath("tallmere32"));
            EXPECT_TRUE(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(folder_.path()));
    }
    ~ProgramPath() { qputenv("PATH", saved_); }
    QByteArray Program() const { return QFile::encodeName(folder_.filePath("tallmere32")); }

  private:
    QTemporaryDir folder_;
    QByteArray saved_;
};

class DiskPopup : public ::testing::Test {
  protected:
    DiskPopup() { disk.window.Open(); }
    FlexGrid& Grid() { return *disk.window.findChild<FlexGrid*>("flxDisks"); }
    // A point inside grid row Row (0 the heading), in the widget's pixels.
    QPoint InRow(int row) {
        if (row == 0) return Grid().horizontalHeader()->geometry().center();
        const QRect cell = Grid().visualRect(Grid().model()->index(row - 1, 0));
        return Grid().viewport()->mapTo(&Grid(), cell.center());
    }
    // Releases the right button over At and chooses popup item Index (none when -1); returns
    // the popup's captions.
    QStringList RightClick(const QPoint& at, int index) {
        QStringList captions;
        OnPopup([&](QMenu& menu) {
            for (const QAction* action : menu.actions())
                captions << action->text();
            if (index >= 0) menu.actions()[index]->trigger();
        });
        QWidget* target = Grid().childAt(at);
        if (!target) {
            ADD_FAILURE() << "nothing of the grid at " << at.x() << ", " << at.y();
            return captions;
        }
        QTest::mouseRelease(target, Qt::RightButton, {}, target->mapFrom(&Grid(), at));
        return captions;
    }
    QStringList EditItems() {
        QStringList captions;
        for (const QAction* action : disk.window.findChild<QMenu*>("Edit")->actions())
            captions << action->text();
        return captions;
    }

    // A second drive whose mount point needs quoting on a command line.
    DiskWindow disk{MakeVolume("/media/usb \"1\"")};
};

TEST_F(DiskPopup, OffersItsFiveItemsOnlyWhileItIsOpen) {
    EXPECT_EQ(RightClick(InRow(1), -1),
              QStringList({"&Copy", "&Explore", "&Tallmere32", "Chart &Selection", "T&rend"}));
    EXPECT_EQ(EditItems(), QStringList({"&Copy"}));
    EXPECT_TRUE(disk.launcher.opened.empty() && disk.launcher.started.empty());
}

TEST_F(DiskPopup, ExploreOpensTheDriveUnderThePointer) {
    RightClick(InRow(2), 1);
    EXPECT_EQ(disk.launcher.opened, std::vector<QByteArray>{"/media/usb \"1\""});
    EXPECT_EQ(disk.window.Grid().Row(), 2);
    EXPECT_EQ(disk.window.Grid().Col(), 0);
    RightClick(InRow(1), 1);
    EXPECT_EQ(disk.launcher.opened.back(), "/");
    EXPECT_TRUE(disk.messages.shown.empty());
}

TEST_F(DiskPopup, Tallmere32SummarisesTheDriveByNameDescending) {
    const ProgramPath path(true);
    RightClick(InRow(2), 2);
    ASSERT_EQ(disk.launcher.started.size(), 1u);
    EXPECT_EQ(disk.launcher.started[0].first, path.Program());
    EXPECT_EQ(disk.launcher.started[0].second,
              (std::vector<QByteArray>{"-d1", "--", "/media/usb \"1\""}));
}

TEST_F(DiskPopup, TheHeadingTheTotalsRowAndBelowStartNothing) {
    const ProgramPath path(true);
    const QRect totals = Grid().visualRect(Grid().model()->index(2, 0));
    const QPoint below =
        Grid().viewport()->mapTo(&Grid(), QPoint(totals.center().x(), totals.bottom() + 3));
    for (const QPoint& at : {InRow(0), InRow(3), below}) {
        RightClick(at, 1);
        RightClick(at, 2);
    }
    EXPECT_TRUE(disk.launcher.opened.empty());
    EXPECT_TRUE(disk.launcher.started.empty());
    EXPECT_TRUE(disk.messages.shown.empty());
}

TEST_F(DiskPopup, AMissingOrFailingStartIsToldAndNothingElseChanges) {
    {
        const ProgramPath path(false);
        RightClick(InRow(1), 2);
    }
    disk.launcher.fail = true;
    const ProgramPath path(true);
    RightClick(InRow(1), 2);
    RightClick(InRow(1), 1);
    ASSERT_EQ(disk.messages.shown.size(), 3u);
    EXPECT_EQ(disk.messages.shown[0],
              std::make_pair(QString("Quorvane32"), QString("Unable to find tallmere32.")));
    EXPECT_EQ(disk.messages.shown[1].second, "Unable to start tallmere32: the fake start failed");
    EXPECT_EQ(disk.messages.shown[2].second, "Unable to open /: The fake file manager failed.");
    EXPECT_EQ(disk.window.Grid().Rows(), 4);
}

TEST_F(DiskPopup, CopyAndChartSelectionAct) {
    RightClick(InRow(1), 0);
    EXPECT_EQ(disk.clipboard.sets, 1);
    Grid().selectRow(1);
    QString caption;
    QStringList labels;
    OnPopup([&](QMenu& menu) {
        OnModal<frmChart>([&](frmChart& chart) {
            caption = chart.windowTitle();
            for (const PieWedge& wedge : chart.Pie().wedges)
                labels << wedge.label;
            chart.accept();
        });
        menu.actions()[3]->trigger();
    });
    // The selected row is charted, not the one under the pointer.
    const QPoint at = InRow(1);
    QTest::mouseRelease(Grid().viewport(), Qt::RightButton, {},
                        Grid().viewport()->mapFrom(&Grid(), at));
    EXPECT_EQ(caption, "Quorvane32 - Selected Disk");
    EXPECT_EQ(labels, QStringList({"Used MB = 50.0", "Available MB = 150.0"}));
    EXPECT_EQ(EditItems(), QStringList({"&Copy"}));
}

// Trend charts the row under the pointer, the totals row (all volumes) too; on the heading it
// opens nothing.
TEST_F(DiskPopup, TrendChartsTheRowUnderThePointer) {
    const TemporaryDataHome dataHome;
    QStringList captions;
    for (const int row : {2, 3, 0}) {
        OnPopup([&](QMenu& menu) {
            if (row > 0) {
                OnModal<frmTrend>([&](frmTrend& trend) {
                    captions << trend.windowTitle();
                    trend.close();
                });
            }
            menu.actions()[4]->trigger();
        });
        QTest::mouseRelease(Grid().viewport(), Qt::RightButton, {},
                            Grid().viewport()->mapFrom(&Grid(), InRow(row)));
    }
    EXPECT_EQ(captions, QStringList({"Trend of /media/usb \"1\"", "Trend of ---- Total ----"}));
}

}  // namespace
