#pragma once
// The member's magic page and skill page of the field menu; a member sees
// the one of its kind. Each lists what the member has learned by category,
// with its costs, under the member header; what may be used outside battle
// is cast on a member chosen with the party member picker. The two pages
// are one page driven by a table of their differences.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIMemberHeader.h"
#include "ui/UIObject.h"

class UICostBox;

// One spell or skill as its page lists it.
struct UseRow {
  std::string name;
  std::string desc;
  std::vector<int> costs;  // in the order shown
  bool usable = false;
};

struct UsePageTraits {
  HeaderPage header;
  int memberKind;       // the `ismagicman` value of the page's members
  int allCategory;      // the starting category, "모두보기"
  int radios;
  const char* labels[5];  // radio button i chooses category i
  int radioPitch;
  const char* menuEntry;
  int useCode;
  UICostBox* (*makeBox)();
  // The indexes the member at a party position has learned in a category;
  // false when the member is not of the page's kind.
  bool (*build)(int category, int position, std::vector<int>* indexes);
  UseRow (*row)(int index);
  // Pays and uses, or says why not.
  void (*use)(int index, int position, int slot);
};

class UIUsePane : public UIPane {
 public:
  explicit UIUsePane(const UsePageTraits& traits) : m_traits(traits), m_category(traits.allCategory) {}

  void Refresh() override { Notify(this, 15, 0, 0); }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // 3 category, 12 open, 15 refresh, the use code (a the spell or skill,
  // b the picked slot when the picker sends it).
  void Notify(UIObject* sender, int code, int a, int b) override;

  // The spell or skill of the selected row, or -1.
  int SelectedIndex() const;

  const UsePageTraits& m_traits;
  int32_t m_category;
  UICostBox* m_list = nullptr;  // a child once open
  std::vector<int32_t> m_rowIndexes;
  int32_t m_lastIndex = -1;  // the row clicked before

 private:
  void Open();
  void ChangeCategory(int id);
  void Rebuild();
  void Use(UIObject* sender, int index, int slot);
  void OpenUseMenu(int index);
};

class UIMagicPane : public UIUsePane {
 public:
  UIMagicPane();
};

class UISkillPane : public UIUsePane {
 public:
  UISkillPane();
};

// The rows as the pages list them, and whether a skill is one of those
// the field menu can use.
UseRow MagicRow(int magic);
UseRow SkillRow(int skill);
bool IsFieldSkill(int skill);
// What the picker's pick does on each page.
void CastMagicFromMenu(int magic, int position, int slot);
void UseSkillFromMenu(int skill, int position, int slot);
// The message for a reason `CSession::CanCastMagic` gives.
const char* MagicRefusal(int reason);
