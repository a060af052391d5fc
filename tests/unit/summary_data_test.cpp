#include "census/summary_data.h"

#include <gtest/gtest.h>

namespace {

DirectoryRecord Row(const char* path, Figure files, Figure bytes = 0) {
    DirectoryRecord record{path, {}, {}};
    record.counts.Files = files;
    record.counts.Bytes = bytes;
    return record;
}

std::vector<int> Sorted(const std::vector<DirectoryRecord>& rows, int column, bool ascending,
                        std::vector<int> order = {}) {
    if (order.empty()) {
        for (int i = 0; i < static_cast<int>(rows.size()); ++i)
            order.push_back(i);
    }
    EXPECT_TRUE(SortRows(rows, order, column, ascending));
    return order;
}

}  // namespace

TEST(SortRows, EqualKeysKeepTheirOrderInBothDirections) {
    const std::vector<DirectoryRecord> rows{Row("/a/", 2), Row("/b/", 1), Row("/c/", 2),
                                            Row("/d/", 1)};
    EXPECT_EQ(Sorted(rows, 2, true), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(Sorted(rows, 2, false), (std::vector<int>{0, 2, 1, 3}));
    // A later sort keeps the previous order among its ties.
    EXPECT_EQ(Sorted(rows, 2, true, {3, 2, 1, 0}), (std::vector<int>{3, 1, 2, 0}));
}

TEST(SortRows, FiguresPastSixtyThreeBitsSortAboveSmallerOnes) {
    const Figure half = Figure{1} << 63;
    const std::vector<DirectoryRecord> rows{Row("/a/", 1, half), Row("/b/", 1, 5),
                                            Row("/c/", 1, half * 4), Row("/d/", 1, half - 1)};
    EXPECT_EQ(Sorted(rows, 3, false), (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(Sorted(rows, 3, true), (std::vector<int>{1, 3, 0, 2}));
}

TEST(SortRows, PathsCompareLowerCasedWithTheirTrailingSlash) {
    const std::vector<DirectoryRecord> rows{Row("/x/B/", 0), Row("/x/a/", 0), Row("/x/A/", 0),
                                            Row("/x/a b/", 0), Row("/x/", 0)};
    // "a b/" sorts before "a/" because a blank is below "/"; case differences tie.
    EXPECT_EQ(Sorted(rows, 1, true), (std::vector<int>{4, 3, 1, 2, 0}));
    EXPECT_EQ(Sorted(rows, 1, false), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(SortRows, FieldZeroKeepsOrderAndOtherNumbersFail) {
    const std::vector<DirectoryRecord> rows{Row("/b/", 2), Row("/a/", 1)};
    EXPECT_EQ(Sorted(rows, 0, true), (std::vector<int>{0, 1}));
    std::vector<int> order{0, 1};
    EXPECT_FALSE(SortRows(rows, order, 12, true));
    EXPECT_FALSE(SortRows(rows, order, -1, true));
    EXPECT_EQ(order, (std::vector<int>{0, 1}));
}

TEST(SummaryData, RecordSumsTheGrandTotalAndKeepsWalkOrder) {
    SummaryData data;
    data.Record({Row("/a/", 2, 10), Row("/a/b/", 3, 5000000000)});
    EXPECT_EQ(data.RowOrder, (std::vector<int>{0, 1}));
    EXPECT_EQ(data.GrandTotal.Files, 5);
    EXPECT_EQ(data.GrandTotal.Bytes, 5000000010);
}

TEST(RowFields, EachFigureFieldHasItsOwnMemberAndSumsWithIt) {
    Counts counts;
    for (int field = kPathField + 1; field <= kLastField; ++field)
        counts.*FieldOf(field).member = static_cast<Figure>(field) << 64;  // past 64 bits
    Counts twice = counts;
    twice += counts;
    EXPECT_EQ(FieldValue(counts, kPathField), 0u);
    EXPECT_EQ(FieldValue(counts, kLastField + 1), 0u);
    for (int field = kPathField + 1; field <= kLastField; ++field) {
        EXPECT_EQ(FieldValue(counts, field), static_cast<Figure>(field) << 64) << field;
        EXPECT_EQ(FieldValue(twice, field), static_cast<Figure>(field) << 65) << field;
    }
    std::vector<int> sizes;
    for (int field = 0; field <= kLastField + 1; ++field) {
        if (IsSizeField(field)) sizes.push_back(field);
    }
    EXPECT_EQ(sizes, (std::vector<int>{3, 6, 9, 11}));
}
