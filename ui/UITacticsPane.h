#pragma once
// The party's tactics page of the field menu: for each member its figure
// and a list of the six tactics, the member's own chosen. A left click on
// a row chooses it at once; a right click on a list showing " 커스텀" opens
// the member's tactics grid.
#include <cstdint>
#include <vector>

#include "ui/UIMemberCard.h"
#include "ui/UIObject.h"

class UIListBox;

class UITacticsPane : public UIPane {
 public:
  static constexpr int kTactics = 6;
  static constexpr int kCustom = 5;

  void Refresh() override { Notify(this, 15, 0, 0); }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // 12 builds the lists, 15 the cards again.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The top-left corners, on the 640 x 480 grid, of party position i's
  // list, card and tactics grid.
  static UIPoint ListCorner(int i);
  static UIPoint CardPlace(int i);
  static UIPoint GridCorner(int i);

  std::vector<MemberCard> m_cards;
  std::vector<UIListBox*> m_lists;  // children, by party position

 private:
  void Open();
  void Rebuild();
};

// The rows of every list; the row is the tactics id.
extern const char* const kTacticsTexts[UITacticsPane::kTactics];
