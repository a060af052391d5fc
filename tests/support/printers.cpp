#include "tests/support/printers.h"

#include <string>

namespace {

std::string Digits(Figure figure) {
    return FigureDigits(figure).toStdString();
}

}  // namespace

void PrintTo(const Counts& c, std::ostream* out) {
    *out << "{files " << Digits(c.Files) << ", bytes " << Digits(c.Bytes) << ", dirs "
         << Digits(c.Dirs) << ", hidden " << Digits(c.HiddenFiles) << "/" << Digits(c.HiddenBytes)
         << "/" << Digits(c.HiddenDirs) << ", system " << Digits(c.SystemFiles) << "/"
         << Digits(c.SystemBytes) << ", archive " << Digits(c.ArchiveFiles) << "/"
         << Digits(c.ArchiveBytes) << "}";
}
