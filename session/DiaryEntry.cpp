#include "session/DiaryEntry.h"

#include <utility>

void CDiaryPager::StartSection(int section) {
  if (section != 1) EndPage();
  m_section = section;
}

void CDiaryPager::EndPage() {
  m_pages.push_back(DiaryPage{m_section, m_text});
  m_text.clear();
}

std::vector<DiaryPage> CDiaryPager::EndBlock() {
  EndPage();
  m_section = 0;
  return std::exchange(m_pages, {});
}

void DiaryBook::Clear() {
  m_entries.clear();
  m_pages.clear();
}

void DiaryBook::Truncate(int count) {
  m_entries.erase(m_entries.lower_bound(count), m_entries.end());
  m_pages.erase(m_pages.lower_bound(count), m_pages.end());
}

const DiaryEntry* DiaryBook::GetEntry(int index) const {
  const auto it = m_entries.find(index);
  return it == m_entries.end() ? nullptr : &it->second;
}

DiaryEntry* DiaryBook::GetEntry(int index) {
  const auto it = m_entries.find(index);
  return it == m_entries.end() ? nullptr : &it->second;
}

const std::vector<DiaryPage>& DiaryBook::GetPages(int index) const {
  static const std::vector<DiaryPage> kNone;
  const auto it = m_pages.find(index);
  return it == m_pages.end() ? kNone : it->second;
}

int SectionKey(const std::string& token) {
  if (token == "#1") return 1;
  if (token == "#2") return 2;
  if (token == "#3") return 3;
  return 0;
}
