#pragma once
// The lists of the magic and skill pages: each row a spell or skill with
// its costs at the right, greyed when it cannot be used outside battle. A
// row that cannot be used is never selected. The two lists differ only in
// their style: magic shows four costs 50 pixels apart with the cost kinds'
// icons, skills three costs 70 apart labelled "isp", "esp", "psp".
#include <cstdint>
#include <vector>

#include "ui/UIListBox.h"

struct CostBoxStyle {
  int costs;        // 4 or 3
  int pitch;        // pixels between the right edges of shown costs
  bool icons;       // the cost kinds' icons, else their labels
};

class UICostBox : public UIListBox {
 public:
  explicit UICostBox(const CostBoxStyle& style) : m_style(style) {}

  // The costs in the order they are shown, left to right.
  void AddRow(const char* name, const std::vector<int>& costs, bool usable);
  void ClearRows();
  bool Usable(int row) const;

  struct CostPlace {
    int cost;    // which cost, 0 the first
    int rightX;  // where its number ends
  };
  // The costs a row shows, from the last leftwards; a cost of 0 takes no
  // place.
  std::vector<CostPlace> CostPlaces(int row) const;

  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;

  CostBoxStyle m_style;
  std::vector<std::vector<int>> m_costs;
  std::vector<int32_t> m_usable;
  int32_t m_counter = 0;  // draws, for the icons' frames

 private:
  // A press on a row that cannot be used clears the selection.
  bool RefusePress();
  void DrawRowLocked(CRC* rc, int row, int line);
};

class UIMagicBox : public UICostBox {
 public:
  UIMagicBox();
};

class UISkillBox : public UICostBox {
 public:
  UISkillBox();
};
