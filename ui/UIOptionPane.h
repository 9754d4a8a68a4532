#pragma once
// The options page of the field menu's diary tab: the music and effects
// volumes, the Hangul font, the menu's skin, the frame rate and the key
// layout. Every change takes effect at once and is kept in the session's
// options, which a save carries.
#include <string>
#include <utility>
#include <vector>

#include "ui/UIDeskPane.h"

class UIGroupBox;
class UIScrollBar;
class UISpin;

class UIOptionPane : public UIDeskPane {
 public:
  // A bar's largest position: the volume in hundredths of its line's range.
  static constexpr int kVolumeSteps = 100;

  // Lists the skin folder.
  UIOptionPane();

  // Then the captions and the chosen layout's keys.
  void DrawLocked(CRC* rc) override;
  // 2 from a volume bar sets its line; 12 builds the widgets with the
  // current values; 15 from a spin or the group box applies its choice.
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIScrollBar* m_musicBar = nullptr;
  UIScrollBar* m_effectsBar = nullptr;
  UIGroupBox* m_frameRate = nullptr;
  UISpin* m_font = nullptr;
  UISpin* m_skin = nullptr;
  UISpin* m_keys = nullptr;
  int m_skinCount = 0;

 private:
  void Open();
  UIScrollBar* AddVolumeBar(uint32_t line, int y);
  void SetVolume(const UIScrollBar* bar, int position);
  void Apply(const UIObject* sender);
};

// The name a key carries on the options page ("Enter", "Q", "PageUp").
std::string KeyName(int virtualKey);
// The key table the page shows for a layout: each action and its keys.
std::vector<std::pair<std::string, std::string>> KeyTable(int layout);
// The bar position (0..steps) of a mixer value within the control's range.
int VolumePosition(uint32_t value, uint32_t minimum, uint32_t maximum, int steps);
