#pragma once
// The disk table's popup: which drive row a right-button release was on, and what the
// popup's commands hand to the programs they start.

#include <QByteArray>
#include <functional>
#include <vector>

// The popup's items after "&Copy", in their order; element I is item I + 1 of Copy.
inline constexpr const char* kPopupCaptions[] = {"&Explore", "&Tallmere32", "Chart &Selection"};

// The row whose band holds Y (twips from the grid's top). The rows from the heading (0) to
// the last drive row (HaveCnt - 2) are tested, the totals row never. RowPos gives the top of
// a row as scrolled, negative for a row scrolled out of sight, which is skipped. -1 when no
// tested row holds Y.
int PopupRow(int haveCnt, int y, const std::function<double(int)>& rowPos);

// The arguments that start a summary of MountPoint with its rows sorted by name, descending.
std::vector<QByteArray> SummaryArguments(const QByteArray& mountPoint);
