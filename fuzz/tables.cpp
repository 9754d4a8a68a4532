// The five data tables: any text loads into a table whose every look-up
// stays inside it. The first byte picks the table; the rest is its file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/DataFileFuzzEnv.h"
#include "session/DataTables.h"

namespace {

// Items and monsters name magic and skills: these stay the same each run.
constexpr char kMagic[] = "#magic < Fire > < >\n#cost 1 0 0 2\n#end\n#magic < Both > < >\n#end\n";
constexpr char kSkill[] = "#skill < Both > < >\n#end\n#skill < Slash > < >\n#end\n";

void LoadFixedMagicAndSkills(DataFileFuzzEnv& env) {
  env.Run("m.txt", reinterpret_cast<const uint8_t*>(kMagic), sizeof kMagic - 1,
          [] { CMagicMgr::GetInstance().Load("m.txt"); });
  env.Run("s.txt", reinterpret_cast<const uint8_t*>(kSkill), sizeof kSkill - 1,
          [] { CSkillMgr::GetInstance().Load("s.txt"); });
}

void ReadDiary(const DiaryBook& diary, int count) {
  for (int i = -1; i <= count; ++i) {
    if (const DiaryEntry* entry = diary.GetEntry(i)) (void)entry->name.size();
    for (const DiaryPage& page : diary.GetPages(i)) (void)page.text.size();
  }
}

void ExerciseItems() {
  CItemMgr& items = CItemMgr::GetInstance();
  const int count = items.GetCount();
  for (int i = -1; i <= count; ++i) {
    for (int level = 0; level <= 4; ++level) items.ApplyVariant(i, level);
    (void)items.IsTwoHandedWeapon(i);
    (void)items.IsDoubleAccessory(i);
    ITM* item = items.GetItem(i);
    if (item == nullptr) continue;
    for (int attr = 0; attr <= 27; ++attr) (void)item->GetAttr(attr);
    // Written through, to show each pointer lands in the record (no overflow at the limits).
    for (int p = 0; p <= 11; ++p) *item->GetAttrPtr(p) ^= 1;
    (void)items.Find(item->name);
    (void)items.LookupName(item->name);
  }
  ReadDiary(items.Diary(), count);
}

void ExerciseMagic() {
  CMagicMgr& magic = CMagicMgr::GetInstance();
  for (int i = -1; i <= magic.GetCount(); ++i) {
    (void)magic.TestMagic(i);
    if (const MagicTypeInfo* info = magic.GetMagicTypeInfo(i)) (void)magic.Find(info->name);
  }
}

void ExerciseSkills() {
  CSkillMgr& skills = CSkillMgr::GetInstance();
  for (int i = -1; i <= skills.GetCount(); ++i) {
    if (const SkillTypeInfo* info = skills.GetSkillTypeInfo(i)) (void)skills.Contains(info->name);
  }
}

void ExerciseMonsters() {
  CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  for (int i = -1; i <= monsters.GetCount(); ++i) (void)monsters.Find(monsters.GetMonsterTypeInfo(i).name);
  ReadDiary(monsters.Diary(), monsters.GetCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("tables");
  if (size == 0) return 0;
  const int table = data[0] % 5;
  if (table >= 2) LoadFixedMagicAndSkills(env);
  env.Run(table == 4 ? "scraps.txt" : "t.txt", data + 1, size - 1, [table] {
    switch (table) {
      case 0:
        CMagicMgr::GetInstance().Load("t.txt");
        ExerciseMagic();
        break;
      case 1:
        CSkillMgr::GetInstance().Load("t.txt");
        ExerciseSkills();
        break;
      case 2:
        CMonsterMgr::GetInstance().Load("t.txt");
        ExerciseMonsters();
        break;
      case 3:
        CItemMgr::GetInstance().Load("t.txt");
        ExerciseItems();
        break;
      default:
        CScrapMgr::GetInstance().Load("");
        ReadDiary(CScrapMgr::GetInstance().Diary(), CScrapMgr::GetInstance().GetCount());
        break;
    }
  });
  return 0;
}
