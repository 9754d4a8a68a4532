// An item's text file read into the long message box, its lines split and
// their scrap keywords looked up, measured by a render context with glyphs
// of varied widths.
#include <cstddef>
#include <cstdint>

#include "fuzz/DataFileFuzzEnv.h"
#include "fuzz/TextFrameRig.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UIItemPane.h"

namespace {

struct Rig : TextFrameRig {
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
