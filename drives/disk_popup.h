#pragma once
// The disk table's popup: which drive row a right-button release was on, and what the
// popup's commands hand to the programs they start.

#include <QByteArray>
#include <vector>

// The Copy item array of the disk table: the Edit menu's "&Copy" and the popup's items.
enum class DiskPopupCommand { Copy, Explore, Summarize, ChartSelection, Trend };

// The popup's items after "&Copy", in their order; element I is item I + 1 of Copy.
inline constexpr const char* kPopupCaptions[] = {"&Explore", "&Tallmere32", "Chart &Selection",
                                                 "T&rend"};

// The arguments that start a summary of MountPoint with its rows sorted by name, descending.
// The mount point comes after "--", where tallmere32 takes every word as one directory
// exactly as given: never split at ";", unquoted, or read as a switch ("/d1").
std::vector<QByteArray> SummaryArguments(const QByteArray& mountPoint);
