// An item's text file read into the long message box, its lines split and
// their scrap keywords looked up, measured by a render context with glyphs
// of varied widths.
#include <cstddef>
#include <cstdint>

#include "engine/FrameMgr.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemPane.h"

namespace {

struct Rig {
  Rig() {
    for (int i = 0; i < kAsciiGlyphCount; ++i) AsciiWidths[i] = i % 13;
    rc.SetViewSize(640, 480);
    frame.m_pRC = &rc;
    g_pCurrentFrame = &frame;
  }
  ~Rig() {
    g_pCurrentFrame = nullptr;
    frame.m_pRC = nullptr;  // not the device's to free
  }
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;
  CPixelRC rc;
  C3dFrame frame;
  DataFileFuzzEnv env{"item_text"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Rig rig;
  UIDesktop desktop;
  rig.env.Run("item/fuzz.txt", data, size, [&] {
    desktop.m_messageBox.PopupLong(nullptr);
    ReadItemText(desktop.m_messageBox, "fuzz", CSession::GetInstance());
  });
  return 0;
}
