#pragma once
// The display device the texture loaders need, opened headless (SDL's dummy
// driver) in a hidden window of its own for as long as this lives.
#include <string>

#include "platform/Window.h"

namespace slvinspect {

class InspectDisplay {
 public:
  InspectDisplay() = default;
  ~InspectDisplay();
  InspectDisplay(const InspectDisplay&) = delete;
  InspectDisplay& operator=(const InspectDisplay&) = delete;

  // The window's lock file goes into `lockFolder`, so that copies of the
  // tool never keep one another (or the game) out.
  bool Open(const std::string& lockFolder);

 private:
  platform::WindowHandle m_window = nullptr;
};

}  // namespace slvinspect
