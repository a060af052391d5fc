#pragma once
// A history store of a test's own: XDG_DATA_HOME names a temporary folder for the life of the
// object, and is given back after.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

class TemporaryDataHome {
  public:
    TemporaryDataHome() : saved_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.path()));
    }
    ~TemporaryDataHome() { qputenv("XDG_DATA_HOME", saved_); }
    TemporaryDataHome(const TemporaryDataHome&) = delete;
    TemporaryDataHome& operator=(const TemporaryDataHome&) = delete;

  private:
    QTemporaryDir folder_;
    QByteArray saved_;
};
