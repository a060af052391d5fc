#include "platform/dos_attributes.h"
#include "platform/linux/dos_attributes_route.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace dos;
using detail::XattrRoute;
using DosForm = TempTree::DosForm;

namespace {

QByteArray Le32(std::uint32_t value) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>(value >> (8 * i) & 0xff));
    return bytes;
}

struct Layout {
    std::uint16_t version;
    int attribOffset;
    int fieldsSize;
};
constexpr Layout kLayouts[] = {{1, 0, 40}, {2, 4, 52}, {3, 4, 44}, {4, 4, 24}, {5, 4, 16}};

// Text, NUL, then a record whose fields are filler bytes, with Attrib in its place and, for
// versions that have them, valid_flags first.
QByteArray Blob(QByteArray text, Layout layout, std::uint32_t attrib, std::uint32_t valid = 1) {
    QByteArray fields(layout.fieldsSize, '\xab');
    if (layout.attribOffset > 0) fields.replace(0, 4, Le32(valid));
    fields.replace(layout.attribOffset, 4, Le32(attrib));
    const char header[] = {static_cast<char>(layout.version), 0, 0x7f, 0};
    return text + '\0' + QByteArray(header, 4) + fields;
}

}  // namespace

TEST(StoreForFileSystem, MapsMagicsToStores) {
    EXPECT_EQ(StoreForFileSystem(0x4d44), Store::VfatIoctl);
    EXPECT_EQ(StoreForFileSystem(0x5346544e), Store::Ntfs3Xattr);
    EXPECT_EQ(StoreForFileSystem(0xfe534d42), Store::CifsXattr);
    EXPECT_EQ(StoreForFileSystem(static_cast<std::int32_t>(0xff534d42)), Store::CifsXattr);
    EXPECT_EQ(StoreForFileSystem(0x9fa0), Store::None);            // proc
    EXPECT_EQ(StoreForFileSystem(0xef53), Store::SambaXattr);      // ext2/3/4
    EXPECT_EQ(StoreForFileSystem(0x01021994), Store::SambaXattr);  // tmpfs
}

TEST(ParseSambaValue, ReadsTheTextForms) {
    EXPECT_EQ(ParseSambaValue("0x20"), 0x20u);
    EXPECT_EQ(ParseSambaValue(QByteArrayView("0x27\0", 5)), 0x27u);
    EXPECT_EQ(ParseSambaValue("0X0000002F"), 0x2fu);
    for (const char* bad : {"", "20", "0x", "0xzz", "0x20 ", "0x-1", "0x100000000"}) {
        EXPECT_EQ(ParseSambaValue(bad), std::nullopt) << bad;
    }
}

TEST(ParseSambaValue, PrefersEachVersionsRecordOverTheText) {
    for (const Layout& layout : kLayouts) {
        EXPECT_EQ(ParseSambaValue(Blob("0x20", layout, 0x06)), 0x06u) << layout.version;
        EXPECT_EQ(ParseSambaValue(Blob("", layout, 0x06)), 0x06u) << layout.version;
    }
}

TEST(ParseSambaValue, FallsBackToTheTextWhenTheRecordsAttribIsNotValid) {
    for (const Layout& layout : {kLayouts[2], kLayouts[3], kLayouts[4]}) {
        EXPECT_EQ(ParseSambaValue(Blob("0x22", layout, 0x06, 0x10)), 0x22u) << layout.version;
        EXPECT_EQ(ParseSambaValue(Blob("", layout, 0x06, 0x10)), std::nullopt) << layout.version;
    }
}

TEST(ParseSambaValue, RejectsTruncatedAndUnknownRecords) {
    const QByteArray full = Blob("0x20", kLayouts[4], 0x06);
    EXPECT_EQ(ParseSambaValue(full.chopped(1)), std::nullopt);
    EXPECT_EQ(ParseSambaValue(QByteArrayView("0x20\0\x05", 6)), std::nullopt);
    EXPECT_EQ(ParseSambaValue(Blob("0x20", {6, 4, 16}, 0x06)), std::nullopt);
    EXPECT_EQ(ParseSambaValue(full + "trailing"), 0x06u);
}

TEST(ParseSambaValue, ReadsTheBenchmarkGeneratorsValue) {
    // "0x%x\0" + struct.pack("<HHII QQ", 5, 0, 3, attr, t1, t2)
    const QByteArray value =
        QByteArray("0x26\0\x05\0\0\0\x03\0\0\0", 13) + Le32(0x26) + QByteArray(16, '\x01');
    EXPECT_EQ(ParseSambaValue(value), 0x26u);
}

TEST(SambaValueWith, RewritesTextsInTheirForm) {
    EXPECT_EQ(SambaValueWith("0x20", 0x7), "0x7");
    EXPECT_EQ(SambaValueWith("0X0000002F", 0x2a), "0x2a");
    EXPECT_EQ(SambaValueWith(QByteArrayView("0x20\0", 5), 0x122), QByteArray("0x122\0", 6));
}

TEST(SambaValueWith, MovesTheRecordWithTheTextAndChangesOnlyAttrib) {
    for (const Layout& layout : kLayouts) {
        const QByteArray expected = Blob("0x1027", layout, 0x1027);
        EXPECT_EQ(SambaValueWith(Blob("0x20", layout, 0x20), 0x1027), expected);
        EXPECT_EQ(SambaValueWith(Blob("", layout, 0x20), 0x1027), expected);
    }
    const QByteArray invalid = Blob("0x22", kLayouts[4], 0x06, 0x10);
    EXPECT_EQ(ParseSambaValue(SambaValueWith(invalid, 0x2)), 0x2u);
}

TEST(SambaValueWith, LeavesUnknownFormsAlone) {
    for (const QByteArray& value : {QByteArray("junk"), Blob("0x20", kLayouts[4], 0x06).chopped(3),
                                    Blob("", {7, 4, 16}, 1)}) {
        EXPECT_EQ(SambaValueWith(value, 0x2), value);
    }
}

// Real xattrs in a temporary folder, through getxattrat and through /proc/self/fd.
class StoredAttributes : public testing::TestWithParam<XattrRoute> {
  protected:
    void SetUp() override {
        tree_.File("f");
        if (!tree_.DosAttributes("f", kArchive)) GTEST_SKIP() << "no user xattrs here";
        dir_ = tree_.OpenDir();
    }
    std::optional<std::uint32_t> Read(const char* name, Store store = Store::SambaXattr) {
        return detail::ReadAttributes(dir_.get(), name, store, GetParam());
    }
    bool Clear(const char* name, Store store = Store::SambaXattr) {
        return detail::ClearArchive(dir_.get(), name, store, GetParam());
    }
    QByteArray Stored(const char* name, const char* attribute = "user.DOSATTRIB") {
        char value[256];
        const ssize_t n = lgetxattr(tree_.Path(name).constData(), attribute, value, sizeof value);
        return n < 0 ? QByteArray() : QByteArray(value, n);
    }

    TempTree tree_;
    ScopedFd dir_;
};

TEST_P(StoredAttributes, ReadsEachStoreFromTheEntryItself) {
    const QByteArray odd("we,ird \"\n\xff\xfe");
    tree_.Dir(odd);
    tree_.DosAttributes(odd, kHidden | kSystem, DosForm::Text);
    tree_.File("plain");
    tree_.File("smb");
    tree_.Xattr("smb", "user.cifs.dosattrib", Le32(0x21));
    EXPECT_EQ(Read("f"), kArchive);
    EXPECT_EQ(Read(odd.constData()), kHidden | kSystem);
    EXPECT_EQ(Read("plain"), std::nullopt);
    EXPECT_EQ(Read("missing"), std::nullopt);
    EXPECT_EQ(Read("f", Store::None), std::nullopt);
    EXPECT_EQ(Read("smb", Store::CifsXattr), 0x21u);
    tree_.Xattr("smb", "user.cifs.dosattrib", Le32(0x21).first(2));
    EXPECT_EQ(Read("smb", Store::CifsXattr), std::nullopt);
}

TEST_P(StoredAttributes, ClearsOnlyTheArchiveBitAndKeepsTheRestOfTheValue) {
    const std::uint32_t kept = kReadOnly | kHidden | kSystem;
    tree_.File("r");
    tree_.DosAttributes("r", kept | kArchive, DosForm::Record);
    tree_.Dir("d");
    tree_.DosAttributes("d", kDirectory | kArchive, DosForm::TextWithNul);
    EXPECT_TRUE(Clear("r"));
    EXPECT_EQ(Stored("r"), SambaDosValue(kept, DosForm::Record));
    EXPECT_TRUE(Clear("d"));
    EXPECT_EQ(Stored("d"), SambaDosValue(kDirectory, DosForm::TextWithNul));
    EXPECT_FALSE(Clear("r"));
    EXPECT_FALSE(Clear("missing"));
    EXPECT_FALSE(Clear("f", Store::None));
    EXPECT_EQ(Read("f"), kArchive);
}

TEST_P(StoredAttributes, ClearsTheLittleEndianWordOfSmbMounts) {
    tree_.Xattr("f", "user.cifs.dosattrib", Le32(0x1023));
    EXPECT_TRUE(Clear("f", Store::CifsXattr));
    EXPECT_EQ(Stored("f", "user.cifs.dosattrib"), Le32(0x1003));
}

TEST_P(StoredAttributes, NeverFollowsASymbolicLink) {
    tree_.Symlink("link", "f");
    EXPECT_EQ(Read("link"), std::nullopt);
    EXPECT_FALSE(Clear("link"));
    EXPECT_EQ(Read("f"), kArchive);
}

INSTANTIATE_TEST_SUITE_P(Routes, StoredAttributes,
                         testing::Values(XattrRoute::Automatic, XattrRoute::ProcFdPath),
                         [](const auto& info) {
                             return info.param == XattrRoute::Automatic ? "XattrAt" : "ProcFd";
                         });

// A small FAT image loop-mounted in a temporary folder; needs root and a vfat driver.
class VfatAttributes : public testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "mounting needs root";
        tree_.File("fat.img", 2 << 20);
        tree_.Dir("mnt");
        const QString image = QFile::decodeName(tree_.Path("fat.img"));
        const QString mountPoint = QFile::decodeName(tree_.Path("mnt"));
        if (QProcess::execute("mkfs.vfat", {image}) != 0) GTEST_SKIP() << "mkfs.vfat failed";
        if (QProcess::execute("mount", {"-o", "loop", image, mountPoint}) != 0) {
            GTEST_SKIP() << "cannot mount a vfat image here";
        }
        mounted_ = true;
        dir_ = tree_.OpenDir("mnt");
    }
    void TearDown() override {
        dir_ = ScopedFd();
        if (mounted_) umount2(tree_.Path("mnt").constData(), MNT_DETACH);
    }
    void CreateWith(const char* name, std::uint32_t attributes) {
        const ScopedFd fd(openat(dir_.get(), name, O_RDONLY | O_CREAT, 0644));
        ASSERT_EQ(ioctl(fd.get(), FAT_IOCTL_SET_ATTRIBUTES, &attributes), 0);
    }

    TempTree tree_;
    ScopedFd dir_;
    bool mounted_ = false;
};

TEST_F(VfatAttributes, ClearsTheArchiveBitThroughTheIoctl) {
    struct statfs info;
    ASSERT_EQ(fstatfs(dir_.get(), &info), 0);
    EXPECT_EQ(StoreForFileSystem(info.f_type), Store::VfatIoctl);
    const std::uint32_t kept = kReadOnly | kHidden | kSystem;
    CreateWith("f", kept | kArchive);
    EXPECT_EQ(ReadAttributes(dir_.get(), "f", Store::VfatIoctl), kept | kArchive);
    EXPECT_TRUE(ClearArchive(dir_.get(), "f", Store::VfatIoctl));
    EXPECT_EQ(ReadAttributes(dir_.get(), "f", Store::VfatIoctl), kept);
    EXPECT_FALSE(ClearArchive(dir_.get(), "f", Store::VfatIoctl));
}
