#pragma once
// The field menu's party tab: the party down the left edge, one page icon
// per page along the top (a member sees the magic page or the skill page,
// whichever is its kind), and the page of the selected member under them.
// A right press on a member offers to move it up or down the party.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/UITab.h"

class UICheckIcon;
struct PlayerData;

class UIStatusTab : public UITab {
 public:
  enum Page { kStatus = 0, kItem = 1, kEquip = 2, kMagic = 3, kSkill = 4 };

  UIStatusTab();
  ~UIStatusTab() override;

  void SetPage(int page) override;
  // Icons again from the party, the leader selected.
  void RebuildMemberIcons();

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnMouseMove() override;
  // kUiOpen builds the icons; 0 and 1 move member a up or down.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The member icon whose row the pointer is in when x lies past `left`,
  // or -1.
  int MemberUnderPointer(int left) const;
  // The page icon under the pointer that the selected member may use, or -1.
  int AllowedPageUnderPointer() const;
  // The page the member cannot use: magic for a skill user, skill for a
  // magic user.
  int HiddenPage() const;

  std::vector<std::unique_ptr<UICheckIcon>> m_members;
  UICheckIcon* m_selectedMember = nullptr;
  int32_t m_memberIndex = 0;
  UICheckIcon* m_hoveredMember = nullptr;
  std::vector<std::unique_ptr<UIPane>> m_panes;  // by page

 private:
  void SelectMember(int index);
  void SelectPageIcon(int page);
  void MoveMember(int index, bool up);
};

// The member whose record every page of the party tab shows and changes;
// null while no field menu is open.
extern PlayerData* g_pMenuPlayer;

// A member's label: the English name, less its last character when it holds
// a "2" (the sprite font draws ASCII only).
std::string MemberLabel(const std::string& engname);
