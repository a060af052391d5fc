#pragma once
// Where the summary window has been. Entry 0 is the start specification of the current chain
// (from start-up or New, with its trailing "/"); entries 1 to 100 are the directories drilled
// into, as exact bytes. Drill-down pushes, Back pops, New starts a fresh chain.

#include <QByteArray>
#include <vector>

class History {
  public:
    static constexpr int kCapacity = 101;

    explicit History(const QByteArray& start = {}) { Reset(start); }

    void Reset(const QByteArray& start) { entries_.assign(1, start); }

    // False, changing nothing, when every entry is taken.
    bool Push(const QByteArray& directory) {
        if (entries_.size() >= kCapacity) return false;
        entries_.push_back(directory);
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
    const QByteArray& Current() const { return entries_.back(); }

  private:
    std::vector<QByteArray> entries_;
};
