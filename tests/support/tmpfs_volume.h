#pragma once
// A second volume for tests: a small tmpfs mounted on a folder, as root; unmounted on
// destruction. Mounted() is false where mounting is not allowed.

#include <sys/mount.h>
#include <QByteArray>

class TmpfsVolume {
  public:
    explicit TmpfsVolume(const QByteArray& at) : at_(at) {
        mounted_ = mount("tallmere-test", at.constData(), "tmpfs", 0, "size=4m") == 0;
    }
    ~TmpfsVolume() {
        if (mounted_) umount2(at_.constData(), MNT_DETACH);
    }
    TmpfsVolume(const TmpfsVolume&) = delete;
    TmpfsVolume& operator=(const TmpfsVolume&) = delete;
    bool Mounted() const { return mounted_; }

  private:
    QByteArray at_;
    bool mounted_ = false;
};
