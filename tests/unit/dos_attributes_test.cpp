#include "common/dos_attributes.h"

#include <gtest/gtest.h>

using namespace dos;

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
