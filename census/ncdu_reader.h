#pragma once
// Reads a scan in ncdu's JSON export format, major version 1, as `ncdu -o` and `gdu -o` write
// it, while it streams in: memory holds one entry and the chain of open directories, never
// the whole scan. The export is an array: the major and minor version, an object of
// metadata, then the root directory. A directory is an array whose first element describes
// it and whose other elements are its entries: objects for files, arrays for directories.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

class QIODevice;

// One entry as the export describes it; what the export leaves out reads as zero or false.
struct NcduEntry {
    QByteArray name;                   // bytes as written: ncdu writes names raw, not always UTF-8
    std::uint64_t asize = 0;           // the length
    std::uint64_t dsize = 0;           // the space on disk
    std::optional<std::uint64_t> dev;  // given where it differs from the directory above
    std::uint64_t ino = 0;
    bool hardLinked = false;  // "hlnkc", or an "nlink" above 1
    bool readError = false;   // a directory that could not be read (wholly or in part)
    bool excluded = false;    // left out by the scan: a pattern, another file system, ...
    bool notRegular = false;  // a link, a device, a pipe: still an entry of its own size
};

// What the reader meets, in the order of the export.
class NcduHandler {
  public:
    virtual ~NcduHandler() = default;
    virtual void BeginDirectory(const NcduEntry& directory) = 0;
    // Every entry that is not a directory.
    virtual void File(const NcduEntry& file) = 0;
    virtual void EndDirectory() = 0;
    // When the scan was made, in Unix seconds, where the metadata says; told before the root.
    virtual void Scanned(std::int64_t /*unixSeconds*/) {}
};

// Where the export is broken, counted from 1; the column in bytes.
struct ImportError {
    std::int64_t line = 0;
    std::int64_t column = 0;
    QString reason;
};

// Reads the whole export from Input into Handler. A broken, truncated or foreign file gives
// the first place it is wrong; Handler may then have seen a part of it.
std::optional<ImportError> ReadNcduExport(QIODevice& input, NcduHandler& handler);
