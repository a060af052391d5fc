#pragma once
// Directory records in the compact form the store keeps them: blocks of records, each path
// front-coded against the record before it in the block, figures as varints, the block
// compressed with zlib (qCompress). A path is bytes, any byte but none is changed.
//
// A record in a block, before compression: varint shared (bytes of the previous path it
// starts with), varint rest (bytes that follow), the rest's bytes, then the ten figures as
// varints.

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <functional>

#include "table/figure.h"

inline constexpr int kFigureCount = 10;
// Files, Bytes, Dirs, HiddenFiles, HiddenBytes, HiddenDirs, SystemFiles, SystemBytes,
// ArchiveFiles, ArchiveBytes: the order of a summary's figure columns.
using Figures = std::array<Figure, kFigureCount>;

// One directory of a snapshot: its path below the start ("" the start, names joined by "/")
// and the figures of its whole tree.
struct FigureRecord {
    QByteArray path;
    Figures figures{};
    bool operator==(const FigureRecord&) const = default;
};

// Records are appended one by one; a block is taken once it is large enough.
class BlockWriter {
  public:
    static constexpr qsizetype kBlockBytes = 64 * 1024;  // before compression

    void Add(QByteArrayView path, const Figures& figures);
    bool Full() const { return raw_.size() >= kBlockBytes; }
    bool Empty() const { return records_ == 0; }
    int Records() const { return records_; }
    // The raw block so far, and a fresh start for the next one.
    QByteArray Take();

  private:
    QByteArray raw_;
    QByteArray previous_;
    int records_ = 0;
};

QByteArray CompressBlock(const QByteArray& raw);

// Calls Each for every record of a compressed block, in order; false when the block is
// damaged (then Each may have seen some of its records).
bool ReadBlock(const QByteArray& compressed, const std::function<void(const FigureRecord&)>& each);
