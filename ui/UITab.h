#pragma once
// A tab strip over a client pane: page icons 76 pixels apart along the top
// of the screen, the strip picture that shows which page is up, and the
// pane under it, which gets the tab's passes and input after the strip.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ui/UIObject.h"

class UICheckIcon;
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
  struct IconEntry {
    const char* label;
    int sprite;
  };
  // The strip's page icons afresh from "system\tabIcon", none chosen or
  // hovered.
  void MakePageIcons(std::span<const IconEntry> icons);
  // The icon under the pointer on the strip, or -1.
  int IconUnderPointer() const;
  // An icon newly under the pointer starts its hover zoom; `hovered`
  // remembers it so the zoom starts once per visit.
  template <class Icon>
  static void TrackHover(Icon* under, Icon*& hovered) {
    if (under != nullptr && under != hovered) under->StartZoom(false);
    hovered = under;
  }
  // `icon` becomes the chosen one and zooms; the one before is let go.
  template <class Icon>
  static void ChooseIcon(Icon* icon, Icon*& chosen) {
    if (chosen != nullptr) chosen->Deselect();
    chosen = icon;
    chosen->Select();
    chosen->StartZoom(true);
  }

  // The column of icons down a tab's left edge. A press counts past
  // kColumnPressLeft, a hover already past kColumnHoverLeft.
  static constexpr int kColumnPressLeft = 22, kColumnHoverLeft = 13;
  // A column icon on its row, labelled to its right; its id is the row.
  static UICheckIcon* NewColumnIcon(int row, const char* actFile, const char* sprFile, int action, const char* label);
  // The column row of `rows` the pointer is in when x lies past `left`, or -1.
  static int ColumnRowUnderPointer(int left, size_t rows);

  int32_t m_page = 0;  // 0..5
  UIPane* m_client = nullptr;
  UIIcon* m_current = nullptr;
  UIIcon* m_hovered = nullptr;
  std::vector<std::unique_ptr<UIIcon>> m_icons;
};
