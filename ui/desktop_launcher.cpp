#include "ui/desktop_launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// A file URL whose path keeps every byte, percent-encoded where needed.
QUrl FileUrl(const QByteArray& path) {
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"), QUrl::StrictMode);
}

}  // namespace

bool DesktopProgramLauncher::OpenDirectory(const QByteArray& directory, QString* error) {
    if (QDesktopServices::openUrl(FileUrl(directory))) return true;
    if (error) *error = QStringLiteral("No file manager could be started.");
    return false;
}

bool DesktopProgramLauncher::StartProgram(const QByteArray& program,
                                          const std::vector<QByteArray>& arguments,
                                          QString* error) {
    const QString failure = StartDetachedProgram(program, arguments);
    if (failure.isEmpty()) return true;
    if (error) *error = failure;
    return false;
}
