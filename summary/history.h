#pragma once
// Where the summary window has been. Entry 0 is the start of the current chain (from start-up
// or New); entries 1 to 100 are the directories drilled into, as exact bytes. Drill-down
// pushes, Back pops, New starts a fresh chain.

#include <QByteArray>
#include <vector>

#include "census/scan.h"

// One summary of the chain: what the caption shows on returning to it (never with a trailing
// "/" but for "/" itself), and where it starts.
struct Visit {
    QByteArray root;
    StartPlaces places;
    qint64 snapshot = 0;  // the saved snapshot read instead of walking; 0 for a walk
};

class History {
  public:
    static constexpr int kCapacity = 101;

    explicit History(const Visit& start = {}) { Reset(start); }

    void Reset(const Visit& start) { entries_.assign(1, start); }

    // False, changing nothing, when every entry is taken.
    bool Push(const Visit& visit) {
        if (entries_.size() >= kCapacity) return false;
        entries_.push_back(visit);
        return true;
    }

    // Steps back one entry; false at the start.
    bool Back() {
        if (AtStart()) return false;
        entries_.pop_back();
        return true;
    }

    int Index() const { return static_cast<int>(entries_.size()) - 1; }
    bool AtStart() const { return Index() == 0; }
    const Visit& Current() const { return entries_.back(); }

  private:
    std::vector<Visit> entries_;
};
