#include "ui/frm_options.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "summary/tallmere.h"
#include "tests/support/disk_window.h"
#include "tests/support/fakes.h"
#include "tests/support/modal.h"
#include "tests/support/qt_print.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/app_context.h"

namespace {

const char* const kFlagBoxes[] = {"chkShort",       "chkFloppy",     "chkRemovable",
                                  "chkNetwork",     "chkCDROM",      "chkSizeOnDisk",
                                  "chkLinksOnce",   "chkOfferTrash", "chkExcludeCaches",
                                  "chkKeepHistory", "chkShowGrowth", "chkShowFullIn"};

class OptionsDialog : public ::testing::Test, protected FakeServices {
  protected:
    OptionsDialog() : FakeServices("Quorvane32") {
        context.settings.Display = "Bytes";
        context.settings.CheckFloppy = true;
        context.settings.ComputerName = "host";
    }
    template <class Control>
    Control* Find(frmOptions& dialog, const char* name) {
        auto* control = dialog.findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // Flips every check box and chooses Unit.
    void ChangeEverything(frmOptions& dialog, const char* unit) {
        for (const char* name : kFlagBoxes)
            Find<QCheckBox>(dialog, name)->click();
        Find<QRadioButton>(dialog, unit)->click();
    }
};

TEST_F(OptionsDialog, ShowsTheSettingsItFinds) {
    context.settings.Display = "MB";
    context.settings.CheckNetwork = true;
    context.settings.ShortDisplay = true;
    context.settings.SizeOnDisk = true;
    frmOptions dialog(context);
    EXPECT_EQ(dialog.windowTitle(), "Tallmere32 - Options");
    EXPECT_EQ(Find<QGroupBox>(dialog, "frmDisplay")->title(), "Tallmere32 Display");
    EXPECT_EQ(Find<QGroupBox>(dialog, "Frame1")->title(), "Quorvane32 Display");
    EXPECT_EQ(Find<QPushButton>(dialog, "btnOptApply")->text(), "&OK");
    EXPECT_EQ(Find<QPushButton>(dialog, "btnOptOK")->text(), "&Cancel");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "optMB")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(dialog, "optBytes")->isChecked());
    const bool ticked[] = {true,  true, false, true, false, true,
                           false, true, false, true, true,  true};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Find<QCheckBox>(dialog, kFlagBoxes[i])->isChecked(), ticked[i]) << kFlagBoxes[i];
}

TEST_F(OptionsDialog, OkSavesEveryControlAndIsAccepted) {
    frmOptions dialog(context);
    ChangeEverything(dialog, "optKB");
    EXPECT_EQ(context.settings.Display, "Bytes");  // only OK commits what the controls edit
    Find<QPushButton>(dialog, "btnOptApply")->click();
    EXPECT_EQ(context.settings.Display, "KB");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(store.values, (std::map<QString, QString>{{"Display", "KB"},
                                                        {"CheckFloppy", "False"},
                                                        {"CheckRemovable", "True"},
                                                        {"CheckNetwork", "True"},
                                                        {"CheckCDROM", "True"},
                                                        {"ShortDisplay", "True"},
                                                        {"SizeOnDisk", "True"},
                                                        {"HardLinksOnce", "True"},
                                                        {"OfferTrash", "False"},
                                                        {"ExcludeCaches", "True"},
                                                        {"KeepHistory", "False"},
                                                        {"ShowGrowth", "False"},
                                                        {"ShowFullIn", "False"},
                                                        {"ExcludePatterns", ""}}));
    EXPECT_EQ(context.settings.Unit, SizeUnit::Bytes);  // only a load derives the unit
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptionsDialog, OkWithNoUnitChosenStoresAnEmptyDisplay) {
    context.settings.Display = "furlongs";
    frmOptions dialog(context);
    for (const char* unit : {"optBytes", "optKB", "optMB"})
        EXPECT_FALSE(Find<QRadioButton>(dialog, unit)->isChecked()) << unit;
    Find<QPushButton>(dialog, "btnOptApply")->click();
    EXPECT_EQ(store.values.at("Display"), "");
    EXPECT_EQ(store.values.at("CheckFloppy"), "True");
    EXPECT_EQ(context.settings.Display, "furlongs");
}

TEST_F(OptionsDialog, CancelAndClosingPutEverySettingBack) {
    const Settings before = context.settings;
    {
        frmOptions dialog(context);
        ChangeEverything(dialog, "optMB");
        Find<QPushButton>(dialog, "btnOptOK")->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(context.settings, before);
    {
        frmOptions dialog(context);
        dialog.show();
        ChangeEverything(dialog, "optKB");
        dialog.close();
    }
    EXPECT_EQ(context.settings, before);
    {
        frmOptions dialog(context);
        dialog.show();
        ChangeEverything(dialog, "optBytes");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    EXPECT_EQ(context.settings, before);
    EXPECT_TRUE(store.values.empty());
}

TEST_F(OptionsDialog, AStoreThatCannotBeOpenedIsToldAndTheOptionsStillCountAsApplied) {
    store.available = false;
    frmOptions dialog(context);
    Find<QPushButton>(dialog, "btnOptApply")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              std::make_pair(QString("Quorvane32"), QString("Unable to Create Registry Key")));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(OptionsDialog, ShowOptionsTellsWhetherTheUserConfirmed) {
    OnModal<frmOptions>(
        [](frmOptions& dialog) { dialog.findChild<QPushButton*>("btnOptApply")->click(); });
    EXPECT_TRUE(ShowOptions(context, nullptr));
    OnModal<frmOptions>([](frmOptions& dialog) { dialog.reject(); });
    EXPECT_FALSE(ShowOptions(context, nullptr));
}

// The disk window reloads after OK and keeps its table until the next Refresh.
class DiskWindowOptions : public ::testing::Test {
  protected:
    DiskWindowOptions() { disk.window.Open(); }
    void ChooseOptions(std::function<void(frmOptions&)> act) {
        OnModal<frmOptions>(std::move(act));
        disk.Trigger("mnuOptions");
    }

    // A network drive: shown only once the options ask for network drives.
    DiskWindow disk{MakeVolume("/n", DriveKind::Network, "nfs4")};
};

TEST_F(DiskWindowOptions, OkReloadsTheSettingsAndRefreshShowsThem) {
    const int surveyed = disk.volumes.surveyed;
    ChooseOptions([](frmOptions& dialog) {
        dialog.findChild<QCheckBox*>("chkNetwork")->click();
        dialog.findChild<QRadioButton*>("optMB")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    EXPECT_EQ(disk.context.settings.Unit, SizeUnit::MB);  // derived by the reload
    EXPECT_EQ(disk.store.values.at("CheckNetwork"), "True");
    EXPECT_EQ(disk.window.Grid().Cols(), 10);  // Full In, no network map yet
    EXPECT_EQ(disk.volumes.surveyed, surveyed);
    QTest::mouseClick(disk.window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_EQ(disk.window.Grid().Cols(), 11);
    EXPECT_EQ(disk.window.Grid().TextMatrix(2, 0), "/n");
}

TEST_F(DiskWindowOptions, AStoreLostAfterOkClosesTheWindow) {
    ChooseOptions([this](frmOptions& dialog) {
        disk.store.available = false;
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    EXPECT_EQ(disk.messages.shown.size(), 2u);  // the dialog's save and the window's reload
    EXPECT_FALSE(disk.window.isVisible());
}

// The summary window redraws its table from the totals it holds.
class SummaryWindowOptions : public ::testing::Test {
  protected:
    SummaryWindowOptions() {
        summary.store.exists = true;
        summary.store.values = {{"Display", "Bytes"}};
        tree.File("big/a", 2048);
        tree.File("small/a", 512);
    }
    QStringList Row(int row) { return RowTexts(summary.Grid(), row); }

    TempTree tree;
    SummaryWindow summary{StartOn(tree.Path(), {"-d3"})};
};

TEST_F(SummaryWindowOptions, OkRedrawsTheTableInTheNewUnitAndFormWithoutAWalk) {
    summary.Load();
    ASSERT_EQ(Row(1).size(), 11);
    const QString big = QString::fromUtf8(tree.Path("big"));
    EXPECT_EQ(Row(1).mid(0, 3), QStringList({big, "1", "2,048"}));
    tree.File("big/b", 4096);  // a new walk would count it
    QSignalSpy finished(summary.window.get(), &Tallmere::SummaryFinished);
    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QRadioButton*>("optKB")->click();
        dialog.findChild<QCheckBox*>("chkShort")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    summary.Trigger("mnuOptions");
    EXPECT_EQ(Row(0), QStringList({"Directory Name", "Total Files", "Total KB", "Total Dirs"}));
    EXPECT_EQ(Row(1), QStringList({big, "1", "2.0", ""}));
    EXPECT_EQ(Row(3), QStringList({QString::fromUtf8(tree.Path()), "", " ", "2"}));
    EXPECT_EQ(Row(4), QStringList({"Grand Total", "2", "2.5", "2"}));
    EXPECT_EQ(summary.context.settings.Unit, SizeUnit::KB);
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(SummaryWindowOptions, SizesCountedOtherwiseMeanANewWalkNamedInTheCaption) {
    summary.Load();
    QSignalSpy finished(summary.window.get(), &Tallmere::SummaryFinished);
    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QCheckBox*>("chkSizeOnDisk")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    summary.Trigger("mnuOptions");
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(summary.window->windowTitle().endsWith(" (space on disk)"));
    EXPECT_EQ(summary.store.values.at("SizeOnDisk"), "True");
    EXPECT_TRUE(summary.window->State().counting.onDisk);
}

TEST_F(SummaryWindowOptions, ExcludePatternsMeanANewWalkWithoutThemSaidInTheCaption) {
    tree.File("big/node_modules/m", 100000);
    summary.Load();
    EXPECT_FALSE(summary.window->windowTitle().contains("excludes"));
    QSignalSpy finished(summary.window.get(), &Tallmere::SummaryFinished);
    OnModal<frmOptions>([](frmOptions& dialog) {
        auto* patterns = dialog.findChild<QPlainTextEdit*>("txtExcludes");
        ASSERT_NE(patterns, nullptr);
        patterns->setPlainText("node_modules\n\n *.tmp");
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    summary.Trigger("mnuOptions");
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(summary.store.values.at("ExcludePatterns"), "node_modules\n *.tmp");
    EXPECT_TRUE(summary.window->windowTitle().endsWith(" [excludes active]"));
    EXPECT_EQ(Row(1).mid(0, 3), QStringList({QString::fromUtf8(tree.Path("big")), "1", "2,048"}));
    EXPECT_EQ(summary.Progress(), "Done! 1 entry excluded.");
}

TEST_F(SummaryWindowOptions, CancelLeavesTheTableAndTheSettings) {
    summary.Load();
    const QStringList heading = Row(0);
    const QStringList first = Row(1);
    const Settings before = summary.context.settings;
    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QRadioButton*>("optMB")->click();
        dialog.findChild<QCheckBox*>("chkShort")->click();
        dialog.findChild<QPushButton*>("btnOptOK")->click();
    });
    summary.Trigger("mnuOptions");
    EXPECT_EQ(Row(0), heading);
    EXPECT_EQ(Row(1), first);
    EXPECT_EQ(summary.context.settings, before);
}

}  // namespace
