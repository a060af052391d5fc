#pragma once
// A scan made elsewhere, in ncdu's JSON export format, read as a walk of the same tree would
// count it: every entry that is not a directory is a file of its length (or space on disk),
// a directory's own size is not counted, dot names are hidden, folders the scan could not
// read are unread, entries it left out are not counted; the export holds no DOS attributes.

#include <QByteArray>
#include <functional>
#include <optional>
#include <variant>

#include "census/ncdu_reader.h"
#include "census/scan.h"
#include "census/tree_sink.h"

struct ImportedScan {
    QByteArray root;    // the scanned directory, with a trailing "/"
    ScanResult result;  // the focus's own row and one per directory directly below it; no
                        // rows when the scan does not hold the focus
    std::optional<qint64> scanned;  // when the scan was made (Unix seconds), if it says
};

// Reads the export from Input, with rows for the folder Focus: a path below the scanned
// directory ("" for the scanned directory itself), or a full path inside it. SinkFor, when set, is
// asked for the sink of the scan's root once it is known, and is given every directory's figures as
// its closing bracket arrives; on a broken export the sink has seen a part of it, which its owner
// drops.
std::variant<ImportedScan, ImportError> ImportNcduExport(
    QIODevice& input, const SizeCounting& counting, const QByteArray& focus = {},
    const std::function<TreeSink*(const QByteArray& root)>& sinkFor = {});
