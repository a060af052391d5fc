#pragma once
// The help window: the manual in a browser with Contents, Back, Forward and Close.

#include <QMainWindow>
#include <QString>

class QTextBrowser;

class HelpViewer : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the manual at Path from its top, the contents page, and brings the window
    // forward. A file that cannot be read is told in the window itself.
    void ShowContents(const QString& path);

    // Shows the manual at Path at its section named Anchor, and brings the window forward.
    void ShowSection(const QString& path, const QString& anchor);

    QTextBrowser& Browser() { return *browser_; }

  private:
    void CreateToolBar();
    void Load(const QString& path);
    void ShowMissing(const QString& path);
    void GoToContents();
    void BringForward();
    void TakeDocumentTitle();

    QTextBrowser* browser_ = nullptr;
    QString path_;
};
