// Texts from data through the text box's two layouts, the message box and
// the list box's cutting, measured by a render context with glyphs of varied
// widths.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/TextFrameRig.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UITextBox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TextFrameRig rig;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The first byte picks the box's width, so wrapping meets every case.
  const int width = size > 0 ? data[0] : 100;
  UITextBox box;
  box.Setup(0, 0, width, 200);
  box.AddText(text.c_str());
  box.AddRawText(text.c_str());
  box.AddText(text.c_str());
  box.Notify(nullptr, 2, box.m_count, 0);
  UIDesktop desktop;
  desktop.m_messageBox.SetText(text.c_str(), nullptr, 0, 0, 0);
  desktop.m_messageBox.Popup(nullptr, width % 3, 10, 10);
  desktop.m_messageBox.AddText(text.c_str());
  const std::string cut = TruncateText(text.c_str(), width % 40);
  if (cut.size() < 3 || cut.compare(cut.size() - 3, 3, "...") != 0) __builtin_trap();
  return 0;
}
