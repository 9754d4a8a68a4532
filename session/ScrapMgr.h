#pragma once
// The scrap table ("scraps.txt" in the diary folder): the diary's lore pages.
#include <string>

#include "session/DiaryEntry.h"

class CScrapMgr {
 public:
  static CScrapMgr& GetInstance();

  // Reads "scraps.txt" in `folder` ("diary/"); false, with an empty table,
  // when it cannot be read.
  bool Load(const std::string& folder);
  void Free();

  int GetCount() const { return m_count; }
  // The first scrap whose title is exactly that (scraps have no other
  // name); -1, silently, when none.
  int LookupName(const std::string& name) const;
  const DiaryBook& Diary() const { return m_diary; }

 private:
  CScrapMgr() = default;
  int m_count = 0;
  DiaryBook m_diary;
};
