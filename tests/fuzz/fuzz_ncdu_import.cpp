// The ncdu export reader on any bytes: it never fails, and whatever it reports opens and
// closes directories in pairs, never closing more than it opened.
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

#include "census/ncdu_reader.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

class Nesting final : public NcduHandler {
  public:
    void BeginDirectory(const NcduEntry&) override { ++open; }
    void File(const NcduEntry&) override { Check(open > 0); }
    void EndDirectory() override { Check(--open >= 0); }
    long open = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    Nesting nesting;
    const std::optional<ImportError> error = ReadNcduExport(buffer, nesting);
    Check(error ? error->line >= 1 && error->column >= 1 && !error->reason.isEmpty()
                : nesting.open == 0);
    return 0;
}
