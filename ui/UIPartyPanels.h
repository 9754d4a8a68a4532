#pragma once
// The party (inn) screen's panels: the members waiting at the inn and the
// party as it stands, as rows of member cards. A first click selects a
// card and a click on the selected card moves its member across; a right
// press steps the figures the cards show.
#include <cstdint>
#include <vector>

#include "ui/UIMemberCard.h"
#include "ui/UIPanel.h"

class UIPartyPanel : public UIPanel {
 public:
  static constexpr int kDisplayModes = 5;

  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  // 12 opens, 15 rebuilds the cards, 18 activates card a.
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The card under the pointer, or -1.
  int HitTest() const;

  std::vector<MemberCard> m_cards;
  int32_t m_selection = -1;
  int32_t m_displayMode = 0;

 protected:
  virtual void Open() {}
  // The player ids the cards show, in order.
  virtual std::vector<int> Members() const = 0;
  virtual int Columns() const = 0;
  virtual int Rows() const = 0;
  // Where card i's figure stands.
  virtual void Place(int i, int* x, int* y) const = 0;
  // Moves the member of card a across; false when the party refuses it.
  virtual bool Move(int a) = 0;

 private:
  void Refresh();
  void Activate(int a);
};

// Five cards to a row, two rows in reach.
class UIInnPartyPanel : public UIPartyPanel {
 protected:
  void Open() override;
  std::vector<int> Members() const override;
  int Columns() const override { return 5; }
  int Rows() const override { return 2; }
  void Place(int i, int* x, int* y) const override;
  bool Move(int a) override;
};

// One row of six.
class UICurPartyPanel : public UIPartyPanel {
 protected:
  std::vector<int> Members() const override;
  int Columns() const override { return 6; }
  int Rows() const override { return 1; }
  void Place(int i, int* x, int* y) const override;
  bool Move(int a) override;
};
