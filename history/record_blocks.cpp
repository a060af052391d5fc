#include "history/record_blocks.h"

#include <algorithm>

#include "history/figure_varint.h"

namespace {

qsizetype SharedPrefix(QByteArrayView a, QByteArrayView b) {
    const auto ends = std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin());
    return ends.first - a.begin();
}

// A varint that must fit a size within a block.
bool ReadSize(const QByteArray& data, qsizetype& pos, qsizetype* size) {
    Figure value = 0;
    if (!ReadVarint(data, pos, &value) || value > static_cast<Figure>(data.size())) return false;
    *size = static_cast<qsizetype>(value);
    return true;
}

}  // namespace

void BlockWriter::Add(QByteArrayView path, const Figures& figures) {
    const qsizetype shared = SharedPrefix(previous_, path);
    AppendVarint(raw_, shared);
    AppendVarint(raw_, path.size() - shared);
    raw_.append(path.sliced(shared));
    for (const Figure figure : figures)
        AppendVarint(raw_, figure);
    previous_ = path.toByteArray();
    ++records_;
}

QByteArray BlockWriter::Take() {
    QByteArray raw = std::move(raw_);
    raw_.clear();
    previous_.clear();
    records_ = 0;
    return raw;
}

QByteArray CompressBlock(const QByteArray& raw) {
    return qCompress(raw, 6);
}

bool ReadBlock(const QByteArray& compressed, const std::function<void(const FigureRecord&)>& each) {
    const QByteArray raw = qUncompress(compressed);
    if (raw.isEmpty() && !compressed.isEmpty()) return false;
    FigureRecord record;
    for (qsizetype pos = 0; pos < raw.size();) {
        qsizetype shared = 0;
        qsizetype rest = 0;
        if (!ReadSize(raw, pos, &shared) || !ReadSize(raw, pos, &rest)) return false;
        if (shared > record.path.size() || rest > raw.size() - pos) return false;
        record.path.truncate(shared);
        record.path.append(raw.constData() + pos, rest);
        pos += rest;
        for (Figure& figure : record.figures)
            if (!ReadVarint(raw, pos, &figure)) return false;
        each(record);
    }
    return true;
}
