#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/linux_volume_source.h"
#include "common/volume_query.h"
#include "common/volumes.h"
#include "tests/support/qt_print.h"

namespace {

QByteArrayList MountPoints(const std::vector<Volume>& volumes) {
    QByteArrayList points;
    for (const Volume& volume : volumes)
        points << volume.mountPoint;
    return points;
}

BlockFacts NoFacts(const QByteArray&) {
    return {};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool Link(const QString& target, const QString& link) {
    QDir().mkpath(QFileInfo(link).absolutePath());
    return QFile::link(target, link);
}

TEST(ParseMountTable, DecodesEveryOctalEscape) {
    const auto entries = ParseMountTable(
        "/dev/sdb1 /media/My\\040Disk vfat rw,uid=1000 0 0\n"
        "//srv/a\\134b /mnt/tab\\011new\\012line\\134 cifs rw 0 0\n"
        "/dev/sdc1 /mnt/odd\\9\\04 ext4 rw 0 0");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].source, "/dev/sdb1");
    EXPECT_EQ(entries[0].mountPoint, "/media/My Disk");
    EXPECT_EQ(entries[0].fsType, "vfat");
    EXPECT_EQ(entries[0].options, "rw,uid=1000");
    EXPECT_EQ(entries[1].source, "//srv/a\\b");
    EXPECT_EQ(entries[1].mountPoint, "/mnt/tab\tnew\nline\\");
    EXPECT_EQ(entries[2].mountPoint, "/mnt/odd\\9\\04");
}

TEST(ParseMountTable, SkipsLinesThatAreNotMounts) {
    const auto entries = ParseMountTable(
        "\n"
        "   \n"
        "garbage\n"
        "/dev/sda1 / ext4\n"
        "/dev/sda2 relative ext4 rw 0 0\n"
        "  /dev/sda3   /home   ext4   rw   0 0  \n"
        "/dev/sda4 /srv xfs rw");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mountPoint, "/home");
    EXPECT_EQ(entries[1].mountPoint, "/srv");
}

TEST(SelectVolumes, KeepsTheLastMountOfEachPointInOrder) {
    const auto entries = ParseMountTable(
        "/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sdb1 /home btrfs rw 0 0\n"
        "/dev/sda3 /a\\040b ext4 rw 0 0\n"
        "/dev/sda4 /a/b ext4 rw 0 0\n");
    const std::vector<Volume> volumes = SelectVolumes(entries, NoFacts);
    EXPECT_EQ(MountPoints(volumes), QByteArrayList({"/", "/a b", "/a/b", "/home"}));
    EXPECT_EQ(volumes[3].source, "/dev/sdb1");
    EXPECT_EQ(volumes[3].fsType, "btrfs");
}

TEST(SelectVolumes, ClassifiesByTypeSourceAndDevice) {
    const auto entries = ParseMountTable(
        "proc /proc proc rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "none /mnt/ram ramfs rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
        "server:/export /net/nfs nfs4 rw 0 0\n"
        "//server/share /net/smb cifs rw 0 0\n"
        "me@host:/home /net/ssh fuse.sshfs rw 0 0\n"
        "/dev/sr0 /media/cd iso9660 ro 0 0\n"
        "/dev/sdz1 /media/dvd udf ro 0 0\n"
        "/dev/fd0 /media/floppy vfat rw 0 0\n"
        "/dev/sdb1 /media/stick vfat rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "overlay /var/lib/containers overlay rw 0 0\n");
    const auto facts = [](const QByteArray& source) {
        return source == "/dev/sdb1" ? BlockFacts{false, true} : BlockFacts{};
    };
    std::map<QByteArray, std::pair<DriveKind, bool>> kinds;
    for (const Volume& volume : SelectVolumes(entries, facts))
        kinds[volume.mountPoint] = {volume.kind, volume.floppy};
    const std::map<QByteArray, std::pair<DriveKind, bool>> expected = {
        {"/", {DriveKind::Fixed, false}},
        {"/media/cd", {DriveKind::CdRom, false}},
        {"/media/dvd", {DriveKind::CdRom, false}},
        {"/media/floppy", {DriveKind::Removable, true}},
        {"/media/stick", {DriveKind::Removable, false}},
        {"/net/nfs", {DriveKind::Network, false}},
        {"/net/smb", {DriveKind::Network, false}},
        {"/net/ssh", {DriveKind::Network, false}},
        {"/var/lib/containers", {DriveKind::Fixed, false}},
    };
    EXPECT_EQ(kinds, expected);
}

TEST(DecodeUdevName, DecodesHexEscapesOnly) {
    EXPECT_EQ(DecodeUdevName("Back\\x20up\\x2fold"), "Back up/old");
    EXPECT_EQ(DecodeUdevName("plain"), "plain");
    EXPECT_EQ(DecodeUdevName("odd\\xZ1\\x4"), "odd\\xZ1\\x4");
}

// A sysfs tree in a temporary folder: a SATA disk, a USB stick, a card reader's removable
// card, and a device-mapper volume on the USB stick.
class FakeSysfs : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        const QString sata = Path("devices/pci0000:00/0000:00:17.0/ata1/host0/block/sda");
        const QString usb = Path("devices/pci0000:00/0000:00:14.0/usb2/2-1/host6/block/sdb");
        const QString card = Path("devices/platform/mmc0/block/mmcblk0");
        const QString mapper = Path("devices/virtual/block/dm-0");
        ASSERT_TRUE(WriteFile(sata + "/removable", "0\n"));
        ASSERT_TRUE(WriteFile(sata + "/sda1/partition", "1\n"));
        ASSERT_TRUE(WriteFile(usb + "/removable", "0\n"));
        ASSERT_TRUE(WriteFile(usb + "/sdb1/partition", "1\n"));
        ASSERT_TRUE(WriteFile(card + "/removable", "1\n"));
        ASSERT_TRUE(WriteFile(mapper + "/removable", "0\n"));
        ASSERT_TRUE(Link(usb + "/sdb1", mapper + "/slaves/sdb1"));
        ASSERT_TRUE(Link(sata + "/sda1", Path("dev/block/8:1")));
        ASSERT_TRUE(Link(usb + "/sdb1", Path("dev/block/8:17")));
        ASSERT_TRUE(Link(card, Path("dev/block/179:0")));
        ASSERT_TRUE(Link(mapper, Path("dev/block/254:0")));
    }
    QString Path(const QString& relative) const { return root.path() + "/" + relative; }
    BlockFacts Facts(unsigned major, unsigned minor) const {
        return ReadBlockFacts(root.path(), major, minor);
    }

    QTemporaryDir root;
};

TEST_F(FakeSysfs, ReadsRemovableFlagAndUsbAncestry) {
    EXPECT_FALSE(Facts(8, 1).removable);
    EXPECT_FALSE(Facts(8, 1).usb);
    EXPECT_TRUE(Facts(8, 17).usb);
    EXPECT_TRUE(Facts(179, 0).removable);
    EXPECT_TRUE(Facts(254, 0).usb);
    EXPECT_FALSE(Facts(9, 9).removable || Facts(9, 9).usb);
}

TEST(LinuxVolumeSource, ListsFromItsMountTableAndAsksTheVolume) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray data = QFile::encodeName(folder.path() + "/data dir");
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(data)));
    QByteArray escaped = data;
    escaped.replace(" ", "\\040");
    ASSERT_TRUE(WriteFile(folder.path() + "/mounts",
                          "proc /proc proc rw 0 0\n"
                          "server:/export " +
                              escaped +
                              " nfs4 rw 0 0\n"
                              "/dev/none " +
                              folder.path().toUtf8() + "/gone ext4 rw 0 0\n"));
    LinuxVolumeSource source(
        {folder.path() + "/mounts", folder.path() + "/sys", std::chrono::milliseconds(10000)});

    const std::vector<Volume> volumes = source.ListVolumes();
    ASSERT_EQ(MountPoints(volumes), QByteArrayList({data, folder.path().toUtf8() + "/gone"}));
    const std::optional<VolumeReport> share = source.Survey(volumes[0]);
    ASSERT_TRUE(share.has_value());
    EXPECT_EQ(share->networkName, "server:/export");
    EXPECT_TRUE(share->spaceKnown);
    EXPECT_GT(share->totalBytes, 0);
    EXPECT_GT(share->clusterSize, 0);
    EXPECT_TRUE(share->rawFigures.startsWith(", FragmentSize : "));
    EXPECT_FALSE(source.Survey(volumes[1]).has_value());
}

TEST(LabelFromDirectory, FindsTheLinkToTheSameDevice) {
    QTemporaryDir folder;
    ASSERT_TRUE(WriteFile(folder.path() + "/dev/sdz9", ""));
    ASSERT_TRUE(WriteFile(folder.path() + "/dev/sdz8", ""));
    ASSERT_TRUE(Link(folder.path() + "/dev/sdz8", folder.path() + "/by-label/other"));
    ASSERT_TRUE(Link(folder.path() + "/dev/sdz9", folder.path() + "/by-label/Back\\x20up"));
    const QString labels = folder.path() + "/by-label";
    EXPECT_EQ(LabelFromDirectory(labels, QFile::encodeName(folder.path() + "/dev/sdz9")),
              "Back up");
    EXPECT_EQ(LabelFromDirectory(labels, "/dev/nothing-here"), "");
}

}  // namespace
