#include "census/tree_tally.h"

#include <algorithm>
#include <tuple>

namespace {

// Files in device and inode order; of the links of one file, the one with the least figures
// first, so the one that counts does not depend on which thread met which link first.
bool LinkOrder(const LinkedFile& a, const LinkedFile& b) {
    if (std::tie(a.device, a.inode) != std::tie(b.device, b.inode))
        return std::tie(a.device, a.inode) < std::tie(b.device, b.inode);
    for (int field = 2; field <= kLastField; ++field) {
        const auto left = FieldValue(a.counts, field);
        const auto right = FieldValue(b.counts, field);
        if (left != right) return left < right;
    }
    return false;
}

bool SameFile(const LinkedFile& a, const LinkedFile& b) {
    return a.device == b.device && a.inode == b.inode;
}

// Links in order, one per file; returns what they add up to.
Counts KeepOnePerFile(std::vector<LinkedFile>& links) {
    std::sort(links.begin(), links.end(), LinkOrder);
    links.erase(std::unique(links.begin(), links.end(), SameFile), links.end());
    Counts sum;
    for (const LinkedFile& link : links)
        sum += link.counts;
    return sum;
}

void Append(std::vector<LinkedFile>& to, std::vector<LinkedFile>&& from) {
    if (to.empty()) {
        to = std::move(from);
    } else {
        to.insert(to.end(), from.begin(), from.end());
    }
}

}  // namespace

void TreeTally::AddOwn(const Counts& own, std::vector<LinkedFile> links) {
    std::lock_guard lock(mutex_);
    own_ += own;
    if (links.empty()) return;
    ownLinks_.insert(ownLinks_.end(), links.begin(), links.end());
    Append(links_, std::move(links));
}

void TreeTally::AddBelow(const Counts& unlinked, std::vector<LinkedFile> links) {
    std::lock_guard lock(mutex_);
    below_ += unlinked;
    Append(links_, std::move(links));
}

TreeFigures TreeTally::Finish(Counts* unlinked, std::vector<LinkedFile>* links) {
    std::lock_guard lock(mutex_);
    TreeFigures figures{own_, own_};
    figures.tree += below_;
    figures.tree += KeepOnePerFile(links_);
    figures.own += KeepOnePerFile(ownLinks_);
    *unlinked = own_;
    *unlinked += below_;
    *links = std::move(links_);
    links_.clear();
    return figures;
}
