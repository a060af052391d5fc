#pragma once
// The summary walk: one row for each start directory (what lies directly in it) and one for
// each directory directly below a start directory (its whole subtree), in walk order.

#include <QByteArray>
#include <stop_token>
#include <vector>

#include "census/directory_record.h"
#include "census/excludes.h"
#include "census/tree_sink.h"
#include "settings/settings.h"

class VolumeSource;
class WalkFaults;
class WalkProgress;

// What the sizes of a summary count.
struct SizeCounting {
    bool onDisk = false;     // the space allocated to files, not their lengths
    bool linksOnce = false;  // a file with several hard links in the first row holding one
    bool operator==(const SizeCounting&) const = default;
};

SizeCounting CountingOf(const Settings& settings);

struct ScanRequest {
    std::vector<QByteArray> roots;  // each with a trailing "/"
    bool stayOnVolume = false;      // "My Computer": each volume without the others
    WalkFaults* faults = nullptr;   // tests only
    bool rootsAreVolumes = false;   // "My Computer": the roots are mount points
    SizeCounting counting{};
    // Where each start directory's tree figures go, one sink a root, or none at all: every
    // directory's tree figures are then not gathered.
    std::vector<TreeSink*> sinks{};
    Excludes excludes{};
};

struct ScanResult {
    std::vector<DirectoryRecord> rows;  // each with what its walk had to leave out
    bool complete = false;              // false when the walk was stopped
    std::int64_t excluded = 0;          // entries the excludes matched, not their contents
};

// Where a summary starts: every local volume ("My Computer"), or directories taken exactly
// as named, each with a trailing "/".
struct StartPlaces {
    bool myComputer = false;
    std::vector<QByteArray> directories;
    // Do not enter other mounted volumes: "My Computer" and the directories drilled into
    // from it, whose rows were counted that way.
    bool stayOnVolume = false;
    bool operator==(const StartPlaces&) const = default;
};

// True for "My Computer" in any case, with or without a trailing "/".
bool IsMyComputer(const QByteArray& spec);

// The places of a start specification: "My Computer", or its ";" fields without their outer
// blanks; empty fields are left out, so a stray ";" never means the root.
StartPlaces PlacesOfSpec(const QByteArray& spec);

// One directory exactly as named: no ";" splitting, no blanks trimmed.
StartPlaces PlacesOfDirectory(const QByteArray& directory);

// The roots of the walk: the places' directories, or every ready local (fixed or removable)
// volume for "My Computer".
ScanRequest StartDirectories(const StartPlaces& places, VolumeSource& volumes);

// The most threads a walk is asked to use: more only cost memory and time.
inline constexpr int kMostScanThreads = 64;

// Walks the request's roots with Threads threads (at least one).
ScanResult ScanDirectories(const ScanRequest& request, int threads, std::stop_token stop = {},
                           WalkProgress* progress = nullptr);

// The thread count the walks use unless told otherwise: twice the cores, at least 8 and at
// most 32. On a warm cache threads past the cores cost nothing; on a cold one they keep the
// disk busy while others wait for it (on two cores, 8 threads walk a cold tree in 0.6 of the
// time 2 threads take).
int DefaultScanThreads();
