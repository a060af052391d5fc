#pragma once
// The real services handed to the windows of a desktop session.

#include <memory>

#include "ui/app_context.h"

// The services of a desktop session, owned for the life of the program.
class DesktopServices {
  public:
    DesktopServices();
    ~DesktopServices();
    Services Get() const;

  private:
    struct Owned;
    std::unique_ptr<Owned> owned_;
};
