// The new-game tables and "Name.txt": the first byte picks the file, the
// rest is its text. A new game from any table leaves a party of one to six
// distinct characters, and every worn item, learn entry and splash weapon
// inside its table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "engine/ResMgr.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "session/DataTables.h"
#include "session/PlaceNameTable.h"
#include "session/Session.h"

namespace {

struct FixedFile {
  const char* name;
  const char* text;
};

// The tables the fuzzed one stands among; each is replaced when picked.
constexpr FixedFile kFixed[] = {
    {"diary/magic.txt", "#magic < Fire > < >\n#cost 1 1 0 0\n#end\n#magic < Heal > < >\n#end\n"},
    {"diary/skill.txt", "#skill < Slash > < >\n#end\n"},
    {"diary/item.txt",
     "#item < > < > 0 e0\n#type 2\n#end\n#item < > < > 0 e1\n#type 3\n#end\n#item < > < > 0 e2\n#type 0\n#end\n"
     "#item < > < > 0 e3\n#type 1\n#end\n#item < > < > 0 e4\n#type 4\n#end\n#item < > < > 0 e5\n#type 6\n#end\n"
     "#item < > < > 0 e6\n#type 5\n#end\n#item < > < > 0 wand\n#type 0\n#param 1 0 1 4 1 3 10\n#end\n"
     "#item < > < > 0 bomb\n#type 9\n#end\n"},
    {"_LvlFactorData.scr", "#begin\n1\n2\n#end\n"},
    {"_LvlCalcData.scr", "#nextlevel\n10\n20\n#hpmax\n50\n60\n"},
    {"_playerData.scr",
     "#player\n#engname a\n#ismagicman 1\n#magic Fire\n#weapon wand\n#lvl 2\n#endplayer\n"
     "#player\n#engname b\n#skill Slash\n#endplayer\n"},
    {"sysex.scr", "setparty a b\nsetgold 10\nsetvar v 1\nsetitem bomb 2\n"},
    {"_playerSkillMagic.scr", "#a\nHeal\n#b\nSlash\n#end\n"},
    {"_tactics.scr", "#tactics1 1 2 3 4\n"},
    {"_splashweapon.scr", "#splashweapon\nbomb\n#end\n"},
};
constexpr const char* kPicked[] = {"_LvlFactorData.scr", "_LvlCalcData.scr", "_playerData.scr",
                                   "sysex.scr",          "_playerSkillMagic.scr", "_tactics.scr",
                                   "_splashweapon.scr",  "Name.txt"};

void Check(bool holds) {
  if (!holds) std::abort();
}

void CheckSession() {
  const CSession& session = CSession::GetInstance();
  Check(session.partyCount >= 1 && session.partyCount <= CSession::kMaxParty);
  std::set<int32_t> ids;
  for (int n = 0; n < session.partyCount; ++n) {
    const int32_t id = session.partyIds[static_cast<size_t>(n)];
    Check(id >= 0 && id < CSession::kPlayerCount && ids.insert(id).second);
  }
  const int items = CItemMgr::GetInstance().GetCount();
  const int magic = CMagicMgr::GetInstance().GetCount();
  const int skills = CSkillMgr::GetInstance().GetCount();
  for (const PlayerData& p : session.players) {
    for (int32_t worn : {p.weapon, p.armor, p.shield, p.helmet, p.shoes, p.acc1, p.acc2, p.acc3}) {
      Check(worn >= 0 && worn < items);
    }
    const int table = p.ismagicman == 1 ? magic : skills;
    for (int32_t entry : p.learnList) Check(entry >= 0 && entry < table);
  }
  for (int32_t weapon : session.splashWeapon) Check(weapon >= 0 && weapon < items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("new-game");
  if (size == 0) return 0;
  const std::string picked = kPicked[data[0] % std::size(kPicked)];
  for (const FixedFile& file : kFixed) {
    env.Run(file.name, reinterpret_cast<const uint8_t*>(file.text), std::char_traits<char>::length(file.text), [] {});
  }
  static const uint8_t kNothing = 0;
  env.Run("loaded", &kNothing, 0, [] {
    CMagicMgr::GetInstance().Load("diary/magic.txt");
    CSkillMgr::GetInstance().Load("diary/skill.txt");
    CItemMgr::GetInstance().Load("diary/item.txt");
  });
  env.Run(picked, data + 1, size - 1, [&picked] {
    if (picked == "Name.txt") {
      CPlaceNameTable names;
      names.Load();
      for (const auto& [key, text] : names.Entries()) Check(names.Lookup(key) == text);
      return;
    }
    CResMgr::GetInstance().UnloadResources();
    CSession::GetInstance().Init();
    CheckSession();
  });
  return 0;
}
