#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QFile>
#include <QTemporaryDir>

#include "settings/load_settings.h"
#include "tests/support/fake_system.h"
#include "tests/support/ordinary_user.h"

TEST(LoadSettings, FirstRunCreatesTheKeyWithItsThreeValues) {
    FakeSettingsStore store;
    store.exists = false;
    Settings settings;
    ASSERT_EQ(LoadSettings(store, settings), StoreOutcome::Done);
    EXPECT_TRUE(store.exists);
    EXPECT_EQ(store.values,
              (std::map<QString, QString>{
                  {"Display", "Bytes"}, {"CheckFloppy", "True"}, {"LastSort", "a1"}}));
    EXPECT_EQ(settings.Unit, SizeUnit::Bytes);
    EXPECT_TRUE(settings.CheckFloppy);
    EXPECT_FALSE(settings.CheckRemovable || settings.CheckNetwork || settings.CheckCDROM ||
                 settings.ShortDisplay);
    EXPECT_FALSE(settings.ComputerName.isEmpty());
}

TEST(LoadSettings, ReadsEveryFlagByItsLowerCasedText) {
    FakeSettingsStore store;
    store.exists = true;
    store.values = {{"Display", "MB"},        {"CheckFloppy", "tRuE"}, {"CheckRemovable", "1"},
                    {"CheckNetwork", "TRUE"}, {"CheckCDROM", "yes"},   {"ShortDisplay", "true"},
                    {"SizeOnDisk", "True"}};
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.Unit, SizeUnit::MB);
    EXPECT_TRUE(settings.CheckFloppy);
    EXPECT_FALSE(settings.CheckRemovable);
    EXPECT_TRUE(settings.CheckNetwork);
    EXPECT_FALSE(settings.CheckCDROM);
    EXPECT_TRUE(settings.ShortDisplay);
    EXPECT_TRUE(settings.SizeOnDisk);
    EXPECT_FALSE(settings.HardLinksOnce);  // absent: as before there was such an option
    EXPECT_EQ(store.values.size(), 7);     // an existing key gets no first-run values
}

TEST(LoadSettings, UnknownUnitsKeepTheDivisorButNeverLeaveItZero) {
    FakeSettingsStore store;
    store.exists = true;
    store.values = {{"Display", "kb"}};
    Settings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(settings.Display, "kb");
    EXPECT_EQ(settings.Unit, SizeUnit::Bytes);
    store.values = {{"Display", "KB"}};
    LoadSettings(store, settings);
    store.values = {{"Display", "furlongs"}};
    LoadSettings(store, settings);
    EXPECT_EQ(settings.Display, "furlongs");
    EXPECT_EQ(settings.Unit, SizeUnit::KB);
}

TEST(LoadSettings, ValuesOfNinetyNineCharactersOrMoreCountAsAbsent) {
    FakeSettingsStore store;
    store.exists = true;
    store.values = {{"Display", "MB"}, {"ShortDisplay", "true"}};
    Settings settings;
    LoadSettings(store, settings);
    store.values = {{"Display", QString(98, u'x')}, {"ShortDisplay", QString(99, u'x')}};
    LoadSettings(store, settings);
    EXPECT_EQ(settings.Display, QString(98, u'x'));
    EXPECT_TRUE(settings.ShortDisplay);
}

TEST(LoadSettings, AKeyThatCannotBeCreatedIsReported) {
    FakeSettingsStore store;
    store.exists = false;
    store.available = false;
    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), StoreOutcome::KeyUnavailable);
    EXPECT_EQ(SaveSettings(store, settings, "MB"), StoreOutcome::KeyUnavailable);
    EXPECT_TRUE(store.values.empty());
}

TEST(SaveSettings, WritesTheUnitEveryFlagAndTheExcludesButNotLastSort) {
    FakeSettingsStore store;
    Settings settings;
    settings.CheckNetwork = true;
    settings.HardLinksOnce = true;
    ASSERT_EQ(SaveSettings(store, settings, ""), StoreOutcome::Done);
    EXPECT_EQ(store.values, (std::map<QString, QString>{{"Display", ""},
                                                        {"CheckFloppy", "False"},
                                                        {"CheckRemovable", "False"},
                                                        {"CheckNetwork", "True"},
                                                        {"CheckCDROM", "False"},
                                                        {"ShortDisplay", "False"},
                                                        {"SizeOnDisk", "False"},
                                                        {"HardLinksOnce", "True"},
                                                        {"ExcludeCaches", "False"},
                                                        {"OfferTrash", "True"},
                                                        {"KeepHistory", "True"},
                                                        {"ShowGrowth", "True"},
                                                        {"ShowFullIn", "True"},
                                                        {"ExcludePatterns", ""}}));
}

TEST(SaveSettings, ExcludePatternsOfAnyLengthComeBackAsSaved) {
    FakeSettingsStore store;
    Settings saved;
    saved.ExcludePatterns = {"node_modules", "/home/*/Downloads", QString(120, u'x') + "*.iso"};
    saved.ExcludeCaches = true;
    saved.OfferTrash = false;
    SaveSettings(store, saved, "Bytes");
    Settings loaded;
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded.ExcludePatterns, saved.ExcludePatterns);
    EXPECT_TRUE(loaded.ExcludeCaches);
    EXPECT_FALSE(loaded.OfferTrash);
    store.values = {{"Display", "Bytes"}};  // a key from before these options
    Settings older;
    LoadSettings(store, older);
    EXPECT_TRUE(older.ExcludePatterns.isEmpty());
    EXPECT_FALSE(older.ExcludeCaches);
    EXPECT_TRUE(older.OfferTrash);
}

TEST(IniSettingsStore, KeepsTextsInAPerUserFile) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/config/Tallmere32/Tallmere32.ini";
    {
        IniSettingsStore store(path);
        Settings settings;
        ASSERT_EQ(LoadSettings(store, settings), StoreOutcome::Done);
        settings.ShortDisplay = true;
        SaveSettings(store, settings, "KB, really");
    }
    IniSettingsStore again(path);
    ASSERT_TRUE(again.OpenKey());
    EXPECT_EQ(again.ReadValue("Display"), "KB, really");
    EXPECT_EQ(again.ReadValue("ShortDisplay"), "True");
    EXPECT_EQ(again.ReadValue("LastSort"), "a1");
    EXPECT_FALSE(again.ReadValue("Missing").has_value());
}

TEST(IniSettingsStore, AFolderThatCannotBeWrittenMeansNoKey) {
    QTemporaryDir folder;
    chmod(folder.path().toLocal8Bit(), 0500);
    const QString path = folder.path() + "/sub/Tallmere32.ini";
    const QByteArray outcome = AsOrdinaryUser([&] {
        IniSettingsStore store(path);
        Settings settings;
        return QByteArray::number(static_cast<int>(LoadSettings(store, settings)));
    });
    EXPECT_EQ(outcome, QByteArray::number(static_cast<int>(StoreOutcome::KeyUnavailable)));
    chmod(folder.path().toLocal8Bit(), 0700);
}

TEST(ReadSettings, NeverWritesAndFallsBackOnTheFirstRunValues) {
    FakeSettingsStore store;
    store.exists = false;
    Settings first;
    EXPECT_EQ(ReadSettings(store, first), StoreOutcome::Done);
    EXPECT_TRUE(store.values.empty() && !store.exists);
    EXPECT_EQ(first.Display, "Bytes");
    EXPECT_EQ(first.Unit, SizeUnit::Bytes);
    EXPECT_TRUE(first.CheckFloppy);
    EXPECT_FALSE(first.CheckNetwork);

    store.exists = true;
    store.values = {{"Display", "MB"}, {"CheckNetwork", "True"}};
    Settings stored;
    EXPECT_EQ(ReadSettings(store, stored), StoreOutcome::Done);
    EXPECT_EQ(stored.Unit, SizeUnit::MB);
    EXPECT_TRUE(stored.CheckNetwork);

    store.available = false;
    Settings unreadable;
    EXPECT_EQ(ReadSettings(store, unreadable), StoreOutcome::KeyUnavailable);
    EXPECT_EQ(unreadable.Display, first.Display);
    EXPECT_EQ(unreadable.CheckFloppy, first.CheckFloppy);
    EXPECT_EQ(store.values.size(), 2u);
}

TEST(IniSettingsStore, AFileInTheWayOfTheFolderMeansNoKey) {
    QTemporaryDir folder;
    QFile blocker(folder.path() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    IniSettingsStore store(folder.path() + "/blocker/Tallmere32.ini");
    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), StoreOutcome::KeyUnavailable);
}

TEST(IniSettingsStore, AGarbledFileReadsWithoutCrashing) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/Tallmere32.ini";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xfe[[[\0\0Display=\"MB\nShortDisplay=true\n[x", 40);
    file.close();
    IniSettingsStore store(path);
    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), StoreOutcome::Done);
    EXPECT_EQ(settings.Unit, SizeUnit::Bytes);
}
