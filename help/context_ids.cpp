#include "help/context_ids.h"

#include <QWidget>

#include "help/help_viewer.h"

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

ContextIDs::ContextIDs(QString appPath) : appPath_(std::move(appPath)) {}

ContextIDs::~ContextIDs() = default;

void ContextIDs::InitHelp(QWidget* window) {
    helpWindowHandle_ = window;
    helpFile_ = HelpFileSetting(appPath_);
}

void ContextIDs::ShowContents() {
    if (!viewer_) {
        viewer_ = std::make_unique<HelpViewer>();
        if (helpWindowHandle_) {
            viewer_->move(helpWindowHandle_->pos() + QPoint(kViewerOffset, kViewerOffset));
        }
    }
    viewer_->ShowContents(ContentsPath(appPath_));
}

void ContextIDs::QuitHelp() {
    if (viewer_) viewer_->close();
}
