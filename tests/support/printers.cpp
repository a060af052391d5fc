#include "tests/support/printers.h"

void PrintTo(const Counts& c, std::ostream* out) {
    *out << "{files " << c.Files << ", bytes " << c.Bytes << ", dirs " << c.Dirs << ", hidden "
         << c.HiddenFiles << "/" << c.HiddenBytes << "/" << c.HiddenDirs << ", system "
         << c.SystemFiles << "/" << c.SystemBytes << ", archive " << c.ArchiveFiles << "/"
         << c.ArchiveBytes << "}";
}
