#pragma once
// The battle command menus, built once at start-up and freed at the end.
#include <string>

class CBattleMenuSet {
 public:
  static CBattleMenuSet& GetInstance();
  void Build();
  void Destroy();
  // Replaces the entry `id` of the menu `key` by a new text and hot key.
  void RemoveItem(const std::string& key, const std::string& text, int hotKey, int id);
  bool IsBuilt() const { return m_built; }

 private:
  CBattleMenuSet() = default;
  bool m_built = false;
};
