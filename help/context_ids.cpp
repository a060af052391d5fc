#include "help/context_ids.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "help/help_viewer.h"
#include "table/version.h"

namespace {

// Where a new help window goes: a little below and to the right of its owner's corner.
constexpr int kViewerOffset = 40;

}  // namespace

QString HelpFileSetting(const QString& appPath) {
    const QString name = QString::fromLatin1(kHelpFileName);
    return appPath.trimmed().endsWith(u'/') ? appPath + name : appPath + u'/' + name;
}

QString ContentsPath(const QString& appPath) {
    return appPath + u'/' + QString::fromLatin1(kHelpFileName);
}

QString LocateHelpFile(const QString& appPath) {
    const QString beside = ContentsPath(appPath);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(appPath + u'/' + QString::fromLatin1(kDataFromPrograms) + u'/' +
                        QString::fromLatin1(kHelpFileName));
    return QFileInfo::exists(installed) ? installed : beside;
}

ContextIDs::ContextIDs(QString appPath) : appPath_(std::move(appPath)) {}

ContextIDs::~ContextIDs() = default;

void ContextIDs::InitHelp(QWidget* window) {
    helpWindowHandle_ = window;
    helpFile_ = HelpFileSetting(appPath_);
}

HelpViewer& ContextIDs::OpenViewer() {
    if (!viewer_) {
        viewer_ = std::make_unique<HelpViewer>();
        if (helpWindowHandle_) {
            viewer_->move(helpWindowHandle_->pos() + QPoint(kViewerOffset, kViewerOffset));
        }
    }
    return *viewer_;
}

void ContextIDs::ShowContents() {
    OpenViewer().ShowContents(LocateHelpFile(appPath_));
}

void ContextIDs::ShowSection(const QString& anchor) {
    OpenViewer().ShowSection(LocateHelpFile(appPath_), anchor);
}

void ContextIDs::QuitHelp() {
    if (viewer_) viewer_->close();
}
