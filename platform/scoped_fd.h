#pragma once
// A file descriptor closed when it goes out of scope.

#include <unistd.h>
#include <utility>

class ScopedFd {
  public:
    explicit ScopedFd(int fd = -1) : fd_(fd) {}
    ScopedFd(ScopedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ScopedFd& operator=(ScopedFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~ScopedFd() {
        if (fd_ >= 0) close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};
