#pragma once
// The save slots. Reading the slot index and the save files comes with the
// save screens; until then the index holds no slot, nothing is selected and
// nothing loads.
#include <cstdint>
#include <string>
#include <vector>

class CSaveList {
 public:
  // Reads "index.sav"; false when there is none to read.
  bool ReadIndex();
  // Selects slot n; a slot the index does not hold selects none (logged).
  void Select(int n);
  // Loads the selected slot into the session; false without one.
  bool Load();

  int32_t SlotCount() const { return static_cast<int32_t>(m_slots.size()); }
  int32_t Selected() const { return m_selected; }

 private:
  std::vector<std::string> m_slots;  // the save files' names
  int32_t m_selected = -1;
};
