#pragma once
// The root of the battle widgets: one for the whole run, built again for
// each party member whose turn comes under the player's command. It turns
// the pad, the menu letters and the mouse into calls on its widgets once a
// tick.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "ui/BICaption.h"

class BIStatusBox;

class BICaptionDeskTop : public BICaption {
 public:
  static BICaptionDeskTop& GetInstance();
  // What the widgets find through the desk top while one exists; null
  // otherwise.
  static BICaptionDeskTop* Instance() { return s_instance; }
  // Drops every reference the desk top keeps to a widget being deleted.
  static void Forget(const BICaption* widget);

  BICaptionDeskTop();
  ~BICaptionDeskTop() override;

  // A fresh tree: the help line and the main menu of `menuKey`, focused.
  void Build(int menuKey);
  // No menus until the next Build. Asked while the widgets handle input (a
  // command's answer closes the menu that sent it), the tree goes once that
  // input is handled.
  void Close();
  void Layout() override;
  void OnKey() override;
  void Notify(BICaption* sender, int code, int a, int b, int c) override;

  // The help line of a highlighted entry (command code, entry index): line
  // 1 the name and description, line 2 the requirements against what pays
  // them. Line 1 is empty for no such entry.
  std::array<std::string, 2> HelpLines(int command, int index) const;
  // `widget` gets Notify(code) at the start of the next tick.
  void Defer(BICaption* widget, int code);
  bool HasDeferred() const { return !m_deferred.empty(); }

  // The party position of the member whose menu is open; -1 while closed.
  int ActingPosition() const { return m_actingPosition; }
  void SetActingPosition(int position) { m_actingPosition = position; }

  // A tab turned its page under this press; the rows it brought under the
  // pointer must not take the rest of that press.
  void PageTurned() { m_pageTurnPress = true; }

  // The page each tab group (magic, equipment, items) last showed.
  std::array<int, 3> m_tabPages{};
  int m_menuX = 220, m_menuY = 195;  // where a main menu opens
  int m_pointerMoved = 0;
  BIStatusBox* m_statusBox = nullptr;

 private:
  // Letters of the main menus; a held one keeps the hotkeys from repeating.
  static constexpr std::array<char, 8> kLetters{'A', 'D', 'T', 'I', 'E', 'U', 'M', 'F'};

  BICaption* FirstFocusedChild() const;
  bool RunActiveWidget();
  bool RunDeferred();
  void RunPadAndLetters();
  void RunPointer();
  // The child drawn last (on top) among those under the pointer.
  BICaption* TopChildUnderPointer() const;
  void RunInput();

  static BICaptionDeskTop* s_instance;
  std::vector<std::pair<BICaption*, int>> m_deferred;  // in the order asked
  std::array<bool, 8> m_letterLatched{};
  int m_actingPosition = -1;
  bool m_builtOnce = false;
  bool m_handlingInput = false;
  bool m_closeAsked = false;
  bool m_pageTurnPress = false;
};
