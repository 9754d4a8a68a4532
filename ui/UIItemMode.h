#pragma once
// The field menu: the party, diary and tactics tabs chosen by the strip at
// the left edge, the status bar at the bottom, the close button at the top
// right, and the desktop picture over them all, through whose windows the
// pages show.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UIDiaryTab;
class UIStatusBar;
class UIStatusTab;
class UITab;
class UITacticsTab;

class UIItemMode : public UIObject {
 public:
  UIItemMode();
  ~UIItemMode() override;

  // 0 party, 1 diary, 2 tactics; other values change only the index.
  void SelectTab(int index);

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;
  // kUiOpen opens the menu; nothing else is heard.
  void Notify(UIObject* sender, int code, int a, int b) override;

  int32_t m_tabIndex = 0;
  UIStatusTab* m_statusTab;
  UIDiaryTab* m_diaryTab;
  UITacticsTab* m_tacticsTab;
  UIStatusBar* m_statusBar;
  UITab* m_tab;
};

// The desktop picture of a skin: "UserInterface\desktop<n>.bmp" for the
// skins 0-23 that have one, "desktop1" for any other.
std::string DesktopPictureName(int skin);
