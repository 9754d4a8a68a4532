#pragma once
// A tab strip over a client pane: page icons 76 pixels apart along the top
// of the screen, the strip picture that shows which page is up, and the
// pane under it, which gets the tab's passes and input after the strip.
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/UIObject.h"

class UIIcon;

class UITab : public UIObject {
 public:
  UITab();
  ~UITab() override;

  virtual void SetPage(int page) { m_page = page; }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnMouseMove() override;
  // The rest of the input is the pane's alone.
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnWheel() override;

  // Takes the icon; the next one lies 76 pixels to the right.
  void AddIcon(UIIcon* icon);
  // The icon under the pointer on the strip, or -1.
  int IconUnderPointer() const;
  // An icon newly under the pointer starts its hover zoom; `hovered`
  // remembers it so the zoom starts once per visit.
  template <class Icon>
  static void TrackHover(Icon* under, Icon*& hovered) {
    if (under != nullptr && under != hovered) under->StartZoom(false);
    hovered = under;
  }

  int32_t m_page = 0;  // 0..5
  UIPane* m_client = nullptr;
  UIIcon* m_current = nullptr;
  UIIcon* m_hovered = nullptr;
  std::vector<std::unique_ptr<UIIcon>> m_icons;
};
