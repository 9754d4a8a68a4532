#include "session/SaveList.h"

#include "platform/DebugLog.h"
#include "session/Session.h"

bool CSaveList::ReadIndex() {
  m_slots.clear();
  m_selected = -1;
  return false;
}

void CSaveList::Select(int n) {
  if (n < 0 || n >= SlotCount()) {
    DebugLog("CSaveList :: no such save slot");
    m_selected = -1;
    return;
  }
  m_selected = n;
}

bool CSaveList::Load() {
  if (m_selected < 0) return false;
  return CSession::GetInstance().Load(m_slots[static_cast<size_t>(m_selected)]);
}
