#include "session/ScrapMgr.h"

#include "engine/Tokenizer.h"
#include "session/TableReader.h"

namespace {

constexpr TableFormat kScrapFormat{"#scrap", "Syntax Error In Scraps.txt", kNoBlockLimit, true};

// Every line of a scrap block but its sections is text.
class ScrapLoader final : public CTableBlockSink {
 public:
  explicit ScrapLoader(DiaryBook& diary) : m_diary(diary) {}

  void OpenBlock(int index, const CTokenizer& tokens) override {
    const NameGroups groups = ReadNameGroups(tokens, 1);
    DiaryEntry entry;
    entry.title = groups.first;
    // The last token after the group is the category.
    if (groups.next < tokens.GetCount()) entry.category = tokens.GetInt(tokens.GetCount() - 1);
    m_diary.SetEntry(index, std::move(entry));
  }
  void BlockLine(int, const CTokenizer& tokens, const std::string& line) override {
    if (const int section = SectionKey(tokens[0]); section != 0) {
      m_pager.StartSection(section);
    } else {
      m_pager.AddLine(line);
    }
  }
  void CloseBlock(int index) override { m_diary.SetPages(index, m_pager.EndBlock()); }

 private:
  DiaryBook& m_diary;
  CDiaryPager m_pager;
};

}  // namespace

CScrapMgr& CScrapMgr::GetInstance() {
  static CScrapMgr mgr;
  return mgr;
}

void CScrapMgr::Free() {
  m_count = 0;
  m_diary.Clear();
}

bool CScrapMgr::Load(const std::string& folder) {
  Free();
  std::string bytes;
  if (!ReadTableFile(folder + "scraps.txt", &bytes)) return false;
  ScrapLoader loader(m_diary);
  m_count = ReadTableBlocks(bytes, kScrapFormat, loader);
  return true;
}

int CScrapMgr::LookupName(const std::string& name) const {
  for (const auto& [index, entry] : m_diary.Entries()) {
    if (entry.title == name) return index;
  }
  return -1;
}
