#pragma once
// What a summary leaves out: entries matching shell patterns, and cache folders. An entry
// left out is neither counted nor entered; a start directory is never left out.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct Settings;

struct Excludes {
    // Without a "/" a pattern is matched against the name of every entry at any depth; with
    // one against the entry's absolute path, where "*" does not cross "/".
    std::vector<QByteArray> patterns;
    bool caches = false;  // folders holding a CACHEDIR.TAG with the standard signature

    bool Active() const { return caches || !patterns.empty(); }
    // Adds Other's patterns (those not held already) and its caches flag.
    Excludes& operator+=(const Excludes& other);
    bool operator==(const Excludes&) const = default;
};

// The excludes kept in the options.
Excludes ExcludesOf(const Settings& settings);

// The patterns of a list: one a line, blank lines and lines starting with "#" ignored, a
// line's end ("\n" or "\r\n") not part of its pattern.
std::vector<QByteArray> PatternsOfList(const QByteArray& text);

// The patterns of the list file Path; nothing, with Error saying why, when it cannot be read.
std::optional<std::vector<QByteArray>> ReadPatternList(const QString& path, QString* error);

// Excludes made ready for a walk: patterns sorted by kind once, not on every entry.
class ExcludeRule {
  public:
    explicit ExcludeRule(const Excludes& excludes);

    bool NeedsPaths() const { return !pathPatterns_.empty(); }
    bool Caches() const { return caches_; }
    // Whether the entry Name is left out by its name, or (when NeedsPaths) by its absolute
    // path: Name under Directory, an absolute path with a trailing "/".
    bool Leaves(const char* name, const QByteArray& directory) const;

  private:
    std::vector<QByteArray> namePatterns_;
    std::vector<QByteArray> pathPatterns_;
    bool caches_ = false;
};
