#include "census/tree_tally.h"

#include <gtest/gtest.h>

namespace {

Counts Files(int files, int bytes, int hidden = 0) {
    Counts counts;
    counts.Files = files;
    counts.Bytes = bytes;
    counts.HiddenFiles = hidden;
    return counts;
}

}  // namespace

// root holds a.txt (linked from a/x and b/y too) and c.txt; a/ and b/ hold one file more
// each. Each tree counts the linked file once; the own figures of root count it too.
TEST(TreeTally, EachLinkedFileCountsOnceInEveryTreeHoldingIt) {
    const LinkedFile shared{7, 42, Files(1, 100)};
    const LinkedFile hiddenLink{7, 42, Files(1, 100, 1)};
    TreeTally root;
    TreeTally a;
    TreeTally b;
    root.AddOwn(Files(1, 5), {shared});
    a.AddOwn(Files(1, 10), {hiddenLink});
    b.AddOwn(Files(1, 20), {shared});
    b.AddOwn({}, {shared});  // met twice in one folder, by two threads

    for (TreeTally* child : {&a, &b}) {
        Counts unlinked;
        std::vector<LinkedFile> links;
        const TreeFigures figures = child->Finish(&unlinked, &links);
        EXPECT_EQ(figures.tree.Files, 2);
        EXPECT_EQ(figures.tree.Bytes, (child == &a ? 10 : 20) + 100);
        EXPECT_EQ(figures.own, figures.tree);
        root.AddBelow(unlinked, std::move(links));
    }
    Counts unlinked;
    std::vector<LinkedFile> links;
    const TreeFigures figures = root.Finish(&unlinked, &links);
    EXPECT_EQ(figures.tree, Files(4, 5 + 10 + 20 + 100));  // the unhidden link counts
    EXPECT_EQ(figures.own, Files(2, 105));
    EXPECT_EQ(unlinked, Files(3, 35));
    ASSERT_EQ(links.size(), 1u);
}
