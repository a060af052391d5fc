#pragma once
// Help of Tallmere32: the manual "Tallmere32.HLP" (HTML) beside the program (in the build) or
// in the data folder of an installation, shown in the program's own help window at its
// contents page, and closed with the summary window.

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <memory>

class HelpViewer;
class QWidget;

inline constexpr const char* kHelpFileName = "Tallmere32.HLP";

// The help-file setting of a program in AppPath: the manual's name joined with one "/",
// or none when AppPath (leading and trailing blanks aside) ends in "/" already.
QString HelpFileSetting(const QString& appPath);

// What the Contents command opens: AppPath, "/" and the manual's name, the separator always
// joined (so a program in "/" asks for "//Tallmere32.HLP", the same file).
QString ContentsPath(const QString& appPath);

// The manual of a program in AppPath: ContentsPath when it is there, else the installation's
// copy in the data folder beside the programs' folder when that is there, else ContentsPath.
QString LocateHelpFile(const QString& appPath);

class ContextIDs {
  public:
    // AppPath: the folder of the program file.
    explicit ContextIDs(QString appPath = QCoreApplication::applicationDirPath());
    ~ContextIDs();

    // Remembers Window as the help's owner (the viewer opens near it) and sets the help file.
    void InitHelp(QWidget* window);
    // Opens the viewer at the manual's contents page, or brings it forward there.
    void ShowContents();
    // Opens the viewer at the manual's section named Anchor, or brings it forward there.
    void ShowSection(const QString& anchor);
    // Closes the viewer, whether or not it was ever opened.
    void QuitHelp();

    const QString& HelpFile() const { return helpFile_; }
    // Null until the contents were first asked for.
    HelpViewer* Viewer() const { return viewer_.get(); }

  private:
    HelpViewer& OpenViewer();

    QString appPath_;
    QString helpFile_;
    QPointer<QWidget> helpWindowHandle_;
    std::unique_ptr<HelpViewer> viewer_;
};
