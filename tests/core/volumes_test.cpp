#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <latch>

#include "platform/linux/linux_volume_source.h"
#include "tests/support/fake_system.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/qt_print.h"

namespace {

QByteArrayList MountPoints(const std::vector<Volume>& volumes) {
    QByteArrayList points;
    for (const Volume& volume : volumes)
        points << volume.mountPoint;
    return points;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool Link(const QString& target, const QString& link) {
    return QDir().mkpath(QFileInfo(link).absolutePath()) && QFile::link(target, link);
}

TEST(ParseMountTable, DecodesEscapesAndSkipsOddLines) {
    const auto entries = ParseMountTable(
        "/dev/sdb1 /media/My\\040Disk vfat rw,uid=1000 0 0\n"
        "\n   \ngarbage\n/dev/sda1 / ext4\n/dev/sda2 relative ext4 rw 0 0\n"
        "//srv/a\\134b   /mnt/tab\\011new\\012line\\134  cifs rw 0 0  \n"
        "/dev/sdc1 /mnt/odd\\9\\04 ext4 rw");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].mountPoint, "/media/My Disk");
    EXPECT_EQ(entries[0].fsType, "vfat");
    EXPECT_EQ(entries[0].options, "rw,uid=1000");
    EXPECT_EQ(entries[1].source, "//srv/a\\b");
    EXPECT_EQ(entries[1].mountPoint, "/mnt/tab\tnew\nline\\");
    EXPECT_EQ(entries[2].mountPoint, "/mnt/odd\\9\\04");
}

TEST(SelectVolumes, LastMountOfEachPointInOrderWithItsKind) {
    const auto entries = ParseMountTable(
        "/dev/sda2 /home ext4 rw 0 0\n/dev/sda1 / ext4 rw 0 0\n/dev/sdb2 /home btrfs rw 0 0\n"
        "proc /proc proc rw 0 0\ntmpfs /run tmpfs rw 0 0\nnone /ram ramfs rw 0 0\n"
        "srv:/x /n/nfs nfs4 rw 0 0\n//srv/x /n/smb cifs rw 0 0\nme@h:/ /n/ssh fuse.sshfs rw 0 0\n"
        "/dev/sr0 /m/cd iso9660 ro 0 0\n/dev/sdz1 /m/dvd udf ro 0 0\n/dev/fd0 /m/fd vfat rw 0 0\n"
        "/dev/sdb1 /m/stick vfat rw 0 0\noverlay /var/lib/c overlay rw 0 0\n");
    const auto facts = [](const QByteArray& source) {
        return source == "/dev/sdb1" ? BlockFacts{false, true} : BlockFacts{};
    };
    const std::vector<Volume> volumes = SelectVolumes(entries, facts);
    EXPECT_EQ(MountPoints(volumes),
              QByteArrayList({"/", "/home", "/m/cd", "/m/dvd", "/m/fd", "/m/stick", "/n/nfs",
                              "/n/smb", "/n/ssh", "/var/lib/c"}));
    std::vector<DriveKind> kinds;
    for (const Volume& volume : volumes)
        kinds.push_back(volume.kind);
    using enum DriveKind;
    EXPECT_EQ(kinds, std::vector<DriveKind>({Fixed, Fixed, CdRom, CdRom, Removable, Removable,
                                             Network, Network, Network, Fixed}));
    EXPECT_EQ(volumes[1].fsType, "btrfs");
    EXPECT_TRUE(volumes[4].floppy);
    EXPECT_FALSE(volumes[5].floppy);
}

TEST(ParseMountInfo, ReadsDevicesAndEscapesWhateverTheTagsBeforeTheDash) {
    const auto entries = ParseMountInfo(
        "26 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "65 26 7:0 /sub /media/My\\040Disk rw master:2 shared:9 - vfat /dev/loop0 rw\n"
        "66 26 0:51 / /net/srv rw - nfs4 srv:/export rw,vers=4.2\n"
        "garbage line\n67 26 7:1 / relative rw - ext4 /dev/loop1 rw\n"
        "68 26 7:2 / /no/type rw -\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].mountPoint, "/");
    EXPECT_EQ(entries[0].device, "254:0");
    EXPECT_EQ(entries[0].fsType, "ext4");
    EXPECT_EQ(entries[0].source, "/dev/vda");
    EXPECT_EQ(entries[1].mountPoint, "/media/My Disk");
    EXPECT_EQ(entries[1].fsType, "vfat");
    EXPECT_EQ(entries[1].device, "7:0");
    EXPECT_EQ(entries[2].source, "srv:/export");
}

MountEntry Mount(const char* point, const char* device, const char* fsType = "ext4") {
    return MountEntry{QByteArray("/dev/") + device, point, fsType, "rw", device};
}

TEST(SelectVolumes, EachFileSystemOnceOnItsShortestMountPoint) {
    const std::vector<MountEntry> entries = {Mount("/", "vda"),     Mount("/srv/data", "vdb"),
                                             Mount("/b/1", "vdb"),  Mount("/etc/hosts", "vda"),
                                             Mount("/zz", "vdb"),   Mount("/home", "vdc"),
                                             Mount("/a/b/c", "vdc")};
    EXPECT_EQ(MountPoints(SelectVolumes(entries, [](const QByteArray&) { return BlockFacts{}; })),
              QByteArrayList({"/", "/home", "/zz"}));
    // Tables without devices (/proc/self/mounts) list every mount point.
    std::vector<MountEntry> undevised = entries;
    for (MountEntry& entry : undevised)
        entry.device.clear();
    EXPECT_EQ(SelectVolumes(undevised, [](const QByteArray&) { return BlockFacts{}; }).size(), 7u);
}

TEST(SelectVolumes, AMountCoveredByALaterOneIsLeftOut) {
    const std::vector<MountEntry> entries = {
        Mount("/", "vda"),          Mount("/mnt/a/inner", "vdb"), Mount("/mnt/a", "vdc"),
        Mount("/mnt/x", "vdd"),     Mount("/mnt/x", "vde"),       Mount("/mnt/ab", "vdf"),
        Mount("/mnt/a/late", "vdg")};
    EXPECT_EQ(MountPoints(SelectVolumes(entries, [](const QByteArray&) { return BlockFacts{}; })),
              QByteArrayList({"/", "/mnt/a", "/mnt/a/late", "/mnt/ab", "/mnt/x"}));
    const auto volumes = SelectVolumes(entries, [](const QByteArray&) { return BlockFacts{}; });
    EXPECT_EQ(volumes.back().source, "/dev/vde");
    // A new root covers everything mounted before it.
    EXPECT_EQ(MountPoints(SelectVolumes({Mount("/mnt/a", "vdb"), Mount("/", "vda")},
                                        [](const QByteArray&) { return BlockFacts{}; })),
              QByteArrayList({"/"}));
}

TEST(NaturalLess, DigitsCompareAsNumbers) {
    QByteArrayList points = {"/m10", "/m2", "/m1", "/m", "/m02x", "/n", "/m2/a", "/m100", "/M3"};
    std::sort(points.begin(), points.end(), NaturalLess);
    EXPECT_EQ(points,
              QByteArrayList({"/M3", "/m", "/m1", "/m2", "/m2/a", "/m02x", "/m10", "/m100", "/n"}));
    EXPECT_FALSE(NaturalLess("/m2", "/m2"));
    EXPECT_NE(NaturalLess("/m01", "/m1"), NaturalLess("/m1", "/m01"));
}

// A sysfs tree: a SATA disk, a USB stick, a card reader's card, device-mapper on the stick.
TEST(ReadBlockFacts, RemovableFlagAndUsbAncestry) {
    QTemporaryDir sys;
    const QString sata = sys.filePath("devices/pci0/0000:00:17.0/ata1/host0/block/sda");
    const QString stick = sys.filePath("devices/pci0/0000:00:14.0/usb2/2-1/host6/block/sdb");
    const QString card = sys.filePath("devices/platform/mmc0/block/mmcblk0");
    const QString mapper = sys.filePath("devices/virtual/block/dm-0");
    for (const QString& disk : {sata, stick, mapper})
        ASSERT_TRUE(WriteFile(disk + "/removable", "0\n"));
    ASSERT_TRUE(WriteFile(card + "/removable", "1\n"));
    ASSERT_TRUE(WriteFile(sata + "/sda1/partition", "1\n"));
    ASSERT_TRUE(WriteFile(stick + "/sdb1/partition", "1\n"));
    ASSERT_TRUE(Link(stick + "/sdb1", mapper + "/slaves/sdb1"));
    ASSERT_TRUE(Link(sata + "/sda1", sys.filePath("dev/block/8:1")));
    ASSERT_TRUE(Link(card, sys.filePath("dev/block/179:0")));
    ASSERT_TRUE(Link(mapper, sys.filePath("dev/block/254:0")));

    const auto facts = [&](unsigned major, unsigned minor) {
        const BlockFacts found = ReadBlockFacts(sys.path(), major, minor);
        return std::make_pair(found.removable, found.usb);
    };
    EXPECT_EQ(facts(8, 1), std::make_pair(false, false));
    EXPECT_EQ(facts(179, 0), std::make_pair(true, false));
    EXPECT_EQ(facts(254, 0), std::make_pair(false, true));
    EXPECT_EQ(facts(9, 9), std::make_pair(false, false));
}

TEST(LinuxVolumeSource, ListsItsMountTableAndAsksEachVolume) {
    QTemporaryDir folder;
    const QByteArray data = QFile::encodeName(folder.filePath("data dir"));
    ASSERT_TRUE(QDir().mkpath(folder.filePath("data dir")));
    QByteArray escaped = data;
    escaped.replace(" ", "\\040");
    ASSERT_TRUE(WriteFile(folder.filePath("mounts"),
                          "40 1 0:50 / " + escaped + " rw - nfs4 srv:/export rw\n" +
                              "41 40 0:51 / " + escaped + "/gone rw - ext4 /dev/none rw"));
    LinuxVolumeSource source({folder.filePath("mounts"), folder.filePath("sys")});

    const std::vector<Volume> volumes = source.ListVolumes();
    ASSERT_EQ(MountPoints(volumes), QByteArrayList({data, data + "/gone"}));
    const std::optional<VolumeReport> share = source.Survey(volumes[0]);
    ASSERT_TRUE(share.has_value());
    EXPECT_EQ(share->networkName, "srv:/export");
    EXPECT_TRUE(share->spaceKnown && share->totalBytes > 0 && share->clusterSize > 0);
    EXPECT_TRUE(share->availBytes <= share->freeBytes && share->freeBytes <= share->totalBytes);
    EXPECT_EQ(share->fault, "");
    const std::optional<VolumeReport> gone = source.Survey(volumes[1]);
    ASSERT_TRUE(gone.has_value());
    EXPECT_FALSE(gone->spaceKnown);
    EXPECT_EQ(gone->fault, "No such file or directory");
}

// A mount point below a folder the user may not search cannot be reached, and says so.
TEST(QueryVolume, AMountPointTheUserCannotReachSaysWhy) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir().mkpath(folder.filePath("locked/disk")));
    ASSERT_TRUE(QFile::setPermissions(
        folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("locked"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const Volume locked = MakeVolume(QFile::encodeName(folder.filePath("locked/disk")));
    const QByteArray fault = AsOrdinaryUser([&] {
        const std::optional<VolumeReport> report = QueryVolume(locked);
        if (!report) return QByteArray("no answer");
        return report->spaceKnown ? QByteArray("space known") : report->fault.toUtf8();
    });
    EXPECT_EQ(fault, "Permission denied");
}

TEST(LinuxVolumeSource, AsksEveryVolumeAtOnceWithinOneTimeLimitInTheirOrder) {
    // The two live volumes answer only once both are being asked; the third never answers.
    const auto together = std::make_shared<std::latch>(2);
    const auto release = std::make_shared<std::latch>(1);
    LinuxVolumeOptions options;
    options.timeLimit = std::chrono::milliseconds(1000);
    options.query = [together, release](const Volume& volume) {
        if (volume.mountPoint == "/net/dead") {
            release->wait();
            return std::optional<VolumeReport>();
        }
        together->arrive_and_wait();
        return std::optional(SpaceReport(1, 1, QString::fromUtf8(volume.mountPoint)));
    };
    LinuxVolumeSource source(options);
    const auto reports =
        source.SurveyAll({MakeVolume("/a"), MakeVolume("/net/dead"), MakeVolume("/b")});
    release->count_down();
    ASSERT_EQ(reports.size(), 3u);
    ASSERT_TRUE(reports[0] && reports[2]);
    EXPECT_EQ(reports[0]->label, "/a");
    EXPECT_FALSE(reports[1].has_value());
    EXPECT_EQ(reports[2]->label, "/b");
}

TEST(LabelFromDirectory, DecodesTheLinkToTheSameDevice) {
    QTemporaryDir folder;
    ASSERT_TRUE(WriteFile(folder.filePath("dev/sdz8"), "") &&
                WriteFile(folder.filePath("dev/sdz9"), ""));
    ASSERT_TRUE(Link(folder.filePath("dev/sdz8"), folder.filePath("by-label/other")));
    ASSERT_TRUE(Link(folder.filePath("dev/sdz9"), folder.filePath("by-label/Back\\x20up\\x2f1")));
    const QString labels = folder.filePath("by-label");
    EXPECT_EQ(LabelFromDirectory(labels, QFile::encodeName(folder.filePath("dev/sdz9"))),
              "Back up/1");
    EXPECT_EQ(LabelFromDirectory(labels, "/dev/nothing-here"), "");
}

TEST(TimeLimitedQueries, AHangingVolumeIsNotReadyAndNotAskedAgainWhileItHangs) {
    const auto release = std::make_shared<std::latch>(1);
    const auto starts = std::make_shared<std::atomic<int>>(0);
    const TimeLimitedQueries::Query hanging = [release, starts] {
        ++*starts;
        release->wait();  // a dead server
        return std::optional<VolumeReport>(VolumeReport{});
    };
    {
        TimeLimitedQueries queries(std::chrono::milliseconds(200));
        EXPECT_FALSE(queries.Run("/net/dead", hanging).has_value());
        EXPECT_FALSE(queries.Run("/net/dead", hanging).has_value());
        EXPECT_EQ(*starts, 1);
        EXPECT_TRUE(queries.Run("/", [] { return std::optional(VolumeReport{}); }).has_value());
    }  // leaving the scope must not wait for the hanging worker
    release->count_down();
}

}  // namespace
