#pragma once
// What the diary shows of an item, monster or scrap: its entry (titles,
// category, name) and its text pages, each numbered by the section it ends.
#include <map>
#include <string>
#include <vector>

struct DiaryEntry {
  std::string title;
  std::string secondTitle;
  int category = 0;
  std::string name;
};

struct DiaryPage {
  int section = 0;
  std::string text;
};

// Gathers a block's free text into pages while the block is read: "#1" only
// starts section 1, "#2" and "#3" end the page with the section they close,
// and the block's "#end" ends the last one.
class CDiaryPager {
 public:
  // A text line, without its line end: it is kept with one blank after it.
  void AddLine(const std::string& line) { m_text += line + " "; }
  // "#1", "#2" or "#3".
  void StartSection(int section);
  // "#end": the block's pages; the pager is ready for the next block.
  std::vector<DiaryPage> EndBlock();
  int Section() const { return m_section; }

 private:
  void EndPage();

  std::string m_text;
  int m_section = 0;
  std::vector<DiaryPage> m_pages;
};

// The entries and pages of one table, by record index.
class DiaryBook {
 public:
  void Clear();
  void SetEntry(int index, DiaryEntry entry) { m_entries[index] = std::move(entry); }
  void SetPages(int index, std::vector<DiaryPage> pages) { m_pages[index] = std::move(pages); }
  // Drops what belongs to records from `count` on.
  void Truncate(int count);

  // Null when the record has no entry.
  const DiaryEntry* GetEntry(int index) const;
  DiaryEntry* GetEntry(int index);
  // Empty when the record has no pages.
  const std::vector<DiaryPage>& GetPages(int index) const;
  const std::map<int, DiaryEntry>& Entries() const { return m_entries; }

 private:
  std::map<int, DiaryEntry> m_entries;
  std::map<int, std::vector<DiaryPage>> m_pages;
};

// The section that a "#1", "#2" or "#3" key starts; 0 for any other token.
int SectionKey(const std::string& token);
