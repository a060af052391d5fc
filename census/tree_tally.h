#pragma once
// The figures of one directory's whole tree, gathered while its entries are counted and its
// subdirectories finish: what a snapshot keeps of every directory. Files with several hard
// links, when each is to count once, count once within each directory's tree: a directory's
// figures are those a summary of that directory would total.

#include <cstdint>
#include <mutex>
#include <vector>

#include "census/directory_record.h"

// A file with several links, and what it adds where it counts.
struct LinkedFile {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    Counts counts;
};

// A directory's figures once its tree is done.
struct TreeFigures {
    Counts tree;  // the whole tree below it, itself included
    Counts own;   // what lies directly in it
};

// Safe to fill from several threads at once.
class TreeTally {
  public:
    // Entries of the directory itself; Links are files with several links among them.
    void AddOwn(const Counts& own, std::vector<LinkedFile> links = {});
    // A subdirectory's finished tree, as Finish handed it on.
    void AddBelow(const Counts& unlinked, std::vector<LinkedFile> links);

    // Once, when the directory's tree is done. The figures count each linked file once; what
    // the tally hands on to the directory above (its AddBelow) keeps the linked files apart,
    // so they count once there too.
    TreeFigures Finish(Counts* unlinked, std::vector<LinkedFile>* links);

  private:
    std::mutex mutex_;
    Counts own_;    // without linked files
    Counts below_;  // without linked files
    std::vector<LinkedFile> ownLinks_;
    std::vector<LinkedFile> links_;  // of the whole tree, own ones included
};
