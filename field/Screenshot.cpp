#include "field/Screenshot.h"

#include <cstdio>

#include "field/SelvarinFrame.h"
#include "platform/FileSystem.h"
#include "platform/Keys.h"
#include "render/RC.h"

int32_t g_screenshotCounter = 0;

namespace {

// A program-wide counter far past any real screenshot count would make
// names without end; the name is then no longer five digits, still unique.
constexpr int kNameSize = 64;

bool F9Held() { return (static_cast<uint16_t>(platform::GetKeyState(platform::VK_F9)) & 0x8000) != 0; }

}  // namespace

void TakeScreenshotStep(CRC* rc) {
  platform::CreateFolder("screenshot");
  if (!F9Held() || rc == nullptr) return;
  char name[kNameSize];
  do {
    std::snprintf(name, sizeof name, "screenshot\\screen%05d.bmp", g_screenshotCounter++);
  } while (platform::PathExists(name));
  rc->SaveScreenshot(name);
}

void CSelvarinFrame::TakeScreenshot() { TakeScreenshotStep(m_pRC); }
