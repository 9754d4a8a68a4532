// A save game's session image, read by the save stream and the session's
// own load.
#include <vector>

#include "engine/FileStream.h"
#include "platform/DebugLog.h"
#include "engine/PackFile.h"
#include "session/DataTables.h"
#include "session/SaveFile.h"
#include "session/SaveStream.h"
#include "session/Session.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {
namespace {

// The session's saved state: place, money, party, options, the party's
// records, the carried items and the script variables.
void WriteSessionFields(const CSession& session, JsonWriter& out) {
  out.Field("placeName", session.placeName);
  out.Field("gold", session.gold);
  out.Field("playTime", session.playTime);
  out.Field("posX", session.posX);
  out.Field("posZ", session.posZ);
  out.Field("facing", session.facing);
  out.Field("partyIds", session.partyIds.data(), static_cast<size_t>(session.partyCount));
  out.Field("innIds", session.innIds.data(), static_cast<size_t>(session.innCount));
  out.Field("options", session.options.data(), session.options.size());
  out.Field("heldGold", session.heldGold);
  out.Key("party").BeginArray();
  for (int n = 0; n < session.partyCount; ++n) {
    const PlayerData& p = session.players[static_cast<size_t>(session.partyIds[static_cast<size_t>(n)])];
    out.BeginObject();
    out.Field("engname", p.engname);
    out.Field("lvl", p.lvl);
    out.Field("exp", p.exp);
    out.Field("hp", p.hp);
    out.Field("maxhp", p.maxhp);
    out.Field("stateid", p.stateid);
    out.EndObject();
  }
  out.EndArray();
  out.Key("inventory").BeginArray();
  for (int item = 0; item < CSession::kItemSlots; ++item) {
    const int32_t count = session.inventory[static_cast<size_t>(item)];
    if (count == 0) continue;
    const ITM* known = item < CItemMgr::GetInstance().GetCount() ? CItemMgr::GetInstance().GetItem(item) : nullptr;
    out.BeginObject();
    out.Field("item", item);
    if (known != nullptr) out.Field("name", known->name);
    out.Field("count", count);
    out.EndObject();
  }
  out.EndArray();
  out.Key("variables").BeginArray();
  for (const auto& [name, value] : session.scriptVariables.Entries()) {
    out.BeginObject();
    out.Field("name", name);
    out.Field("value", value);
    out.EndObject();
  }
  out.EndArray();
}

}  // namespace

bool InspectSave(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  CFileStream file;
  SetResDirectory("\\");
  if (!file.Open(source.ResName(), CFileStream::kRead)) return false;
  std::vector<uint8_t> stream(static_cast<size_t>(std::max(file.GetSize(), 0)));
  if (file.Read(stream.data(), static_cast<int32_t>(stream.size())) != static_cast<int32_t>(stream.size())) return false;
  CSaveReader reader;
  if (!reader.OpenBytes(std::move(stream))) return false;
  std::vector<uint8_t> content(static_cast<size_t>(reader.RawLength()));
  if (reader.Read(content.data(), reader.RawLength()) != reader.RawLength()) {
    DebugLog("CSaveReader: the stream ends or breaks before its raw length");
    return false;
  }
  CSession& session = CSession::GetInstance();
  session.Init();
  if (!savefile::Apply(session, content)) return false;
  const bool prefixed = content.size() >= 5 && content[0] == 'S' && content[1] == 'a' && content[2] == 'v' && content[3] == 'e';
  out.BeginObject();
  out.Field("rawLength", reader.RawLength());
  out.Field("version", prefixed ? content[4] : 0);
  WriteSessionFields(session, out);
  out.EndObject();
  return true;
}

}  // namespace slvinspect

namespace slvinspect {

bool InspectNewGame(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const std::string& pack = source.IsPacked() ? source.EntryName() : source.DiskPath();
  if (!RegisterPack(pack)) return false;
  // The tables as start-up reads them, then the new game.
  SetResDirectory("\\");
  CMagicMgr::GetInstance().Load("diary/magic.txt");
  CSkillMgr::GetInstance().Load("diary/skill.txt");
  CMonsterMgr::GetInstance().Load("diary/monster.txt");
  CItemMgr::GetInstance().Load("diary/item.txt");
  CSession& session = CSession::GetInstance();
  session.Init();
  out.BeginObject();
  WriteSessionFields(session, out);
  out.EndObject();
  return true;
}

}  // namespace slvinspect
