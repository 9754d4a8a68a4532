// The data tables of "diary/" and the world map's list, read by the game's
// table managers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/FileStream.h"
#include "field/WorldMapList.h"
#include "session/DataTables.h"
#include "platform/DebugLog.h"
#include "session/PlaceNameTable.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"
#include "ui/ShopList.h"

namespace slvinspect {
namespace {

std::string FolderOf(const std::string& name) {
  const size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Items and monsters name magic and skills: the tables beside theirs are
// read first, as the game reads them at start-up.
void LoadLinkedTables(const InspectSource& source) {
  const std::string folder = FolderOf(source.ResName());
  SetResDirectory("\\");
  if (FileExists((folder + "magic.txt").c_str())) CMagicMgr::GetInstance().Load(folder + "magic.txt");
  if (FileExists((folder + "skill.txt").c_str())) CSkillMgr::GetInstance().Load(folder + "skill.txt");
}

// A hotkey field: up to three bytes ended by a zero.
std::string KeyText(const char key[4]) { return std::string(key, strnlen(key, 4)); }

void WriteDiary(const DiaryBook& diary, JsonWriter& out) {
  out.Key("diary").BeginArray();
  for (const auto& [index, entry] : diary.Entries()) {
    out.BeginObject();
    out.Field("index", index);
    out.Field("title", entry.title);
    out.Field("secondTitle", entry.secondTitle);
    out.Field("category", entry.category);
    out.Field("name", entry.name);
    out.Key("pages").BeginArray();
    for (const DiaryPage& page : diary.GetPages(index)) {
      out.BeginObject();
      out.Field("section", page.section);
      out.Field("text", page.text);
      out.EndObject();
    }
    out.EndArray();
    out.EndObject();
  }
  out.EndArray();
}

void WriteItem(ITM& item, JsonWriter& out) {
  out.BeginObject();
  out.Field("name", item.name);
  out.Field("desc", item.desc);
  out.Field("icon", item.icon);
  out.Field("kind", item.kind);
  out.Field("price", item.price);
  out.Field("supply", item.supply);
  out.Field("magicOrSkill", item.magicOrSkill);
  out.Field("linked1", item.linked1);
  out.Field("linked2", item.linked2);
  // By attribute number, as GetAttr asks for them.
  out.Key("attrs").BeginObject();
  for (int position = 0; position < ItemAttrCount(item.kind); ++position) {
    out.Field(std::to_string(ItemAttrNumber(item.kind, position)).c_str(), *item.GetAttrPtr(position));
  }
  out.EndObject();
  out.EndObject();
}

void WriteVariant(const ItemVariant& variant, JsonWriter& out) {
  out.BeginObject();
  out.Field("itemIndex", variant.itemIndex);
  out.Field("section", variant.section);
  out.Field("kind", variant.kind);
  out.Field("price", variant.price);
  out.Field("supply", variant.supply);
  out.Field("params", variant.params.data(), variant.params.size());
  out.EndObject();
}

}  // namespace

bool InspectItem(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  LoadLinkedTables(source);
  CItemMgr& items = CItemMgr::GetInstance();
  SetResDirectory("\\");
  if (!items.Load(source.ResName())) return false;
  out.BeginObject();
  out.Key("items").BeginArray();
  for (int i = 0; i < items.GetCount(); ++i) WriteItem(*items.GetItem(i), out);
  out.EndArray();
  out.Key("variants").BeginArray();
  for (const ItemVariant& variant : items.Variants()) WriteVariant(variant, out);
  out.EndArray();
  WriteDiary(items.Diary(), out);
  out.EndObject();
  return true;
}

bool InspectMagic(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  CMagicMgr& magic = CMagicMgr::GetInstance();
  SetResDirectory("\\");
  if (!magic.Load(source.ResName())) return false;
  out.BeginObject();
  out.Key("records").BeginArray();
  for (int i = 0; i < magic.GetCount(); ++i) {
    const MagicTypeInfo& r = *magic.GetMagicTypeInfo(i);
    out.BeginObject();
    out.Field("name", r.name);
    out.Field("secondName", r.secondName);
    out.Field("desc", r.desc);
    out.Field("attr", r.attr);
    out.Field("targetType", r.targetType);
    out.Field("power", r.power);
    out.Field("powerAbsolute", r.powerAbsolute);
    out.Field("magicAttr", r.magicAttr);
    out.Field("cost", r.cost, 4);
    out.Field("useType", r.useType);
    out.Field("magicClass", r.magicClass);
    out.Field("level", r.level);
    out.Field("enlevel", r.enlevel);
    out.Field("stateMask", r.stateMask);
    out.Field("restoreStateMask", r.restoreStateMask);
    out.Field("key", KeyText(r.key));
    out.Field("effect", r.effect, 6);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

bool InspectSkill(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  CSkillMgr& skills = CSkillMgr::GetInstance();
  SetResDirectory("\\");
  if (!skills.Load(source.ResName())) return false;
  out.BeginObject();
  out.Key("records").BeginArray();
  for (int i = 0; i < skills.GetCount(); ++i) {
    const SkillTypeInfo& r = *skills.GetSkillTypeInfo(i);
    out.BeginObject();
    out.Field("name", r.name);
    out.Field("secondName", r.secondName);
    out.Field("desc", r.desc);
    out.Field("targetType", r.targetType);
    out.Field("power", r.power);
    out.Field("powerAbsolute", r.powerAbsolute);
    out.Field("cost", r.cost, 3);
    out.Field("key", KeyText(r.key));
    out.Field("useType", r.useType);
    out.Field("level", r.level);
    out.Field("classType", r.classType);
    out.Field("duration", r.duration);
    out.Field("splash", r.splash);
    out.Field("enlevel", r.enlevel);
    out.Field("probability", r.probability);
    out.Field("attr", r.attr);
    out.Field("stateMask", r.stateMask);
    out.Field("restoreStateMask", r.restoreStateMask);
    out.Field("effect", r.effect, 6);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

namespace {

void WriteMonster(const MonsterTypeInfo& r, JsonWriter& out) {
  out.BeginObject();
  out.Field("name", r.name);
  out.Field("type", r.type);
  out.Field("level", r.level);
  out.Field("is3d", r.is3d);
  out.Field("desc", r.desc);
  out.Field("sprName", r.sprName);
  out.Field("actName", r.actName);
  out.Field("rmaName", r.rmaName);
  out.Field("hp", r.hp);
  out.Field("shp", r.shp);
  out.Field("attr", r.attr);
  out.Field("stateId", r.stateId);
  out.Field("phyAtk", r.phyAtk);
  out.Field("phyDef", r.phyDef);
  out.Field("magDef", r.magDef);
  out.Field("spd", r.spd);
  out.Field("luck", r.luck);
  out.Field("duration", r.duration);
  out.Field("magDefRate", r.magDefRate);
  out.Field("abilityIsMagic", r.abilityIsMagic, 5);
  out.Field("ability", r.ability, 5);
  out.Field("expGain", r.expGain);
  out.Field("goldGain", r.goldGain);
  out.Field("tactics", r.tactics, 4);
  out.Field("captionZoom", r.captionZoom);
  out.Field("apCaptionZoom", r.apCaptionZoom);
  out.Field("stunEffectDeltaY", r.stunEffectDeltaY);
  out.Field("shadowZoom", r.shadowZoom);
  out.Field("radius", r.radius);
  out.EndObject();
}

}  // namespace

bool InspectMonster(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  LoadLinkedTables(source);
  CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  SetResDirectory("\\");
  if (!monsters.Load(source.ResName())) return false;
  out.BeginObject();
  out.Key("records").BeginArray();
  for (int i = 0; i < monsters.GetCount(); ++i) WriteMonster(monsters.GetMonsterTypeInfo(i), out);
  out.EndArray();
  WriteDiary(monsters.Diary(), out);
  out.EndObject();
  return true;
}

bool InspectScrap(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  CScrapMgr& scraps = CScrapMgr::GetInstance();
  SetResDirectory("\\");
  if (!scraps.Load(FolderOf(source.ResName()))) return false;
  out.BeginObject();
  out.Field("count", scraps.GetCount());
  WriteDiary(scraps.Diary(), out);
  out.EndObject();
  return true;
}

bool InspectWorldMap(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  WorldMapList& list = WorldMapList::GetInstance();
  SetResDirectory("\\");
  if (!list.Load(source.ResName())) return false;
  out.BeginObject();
  out.Key("entries").BeginArray();
  for (const WorldMapEntry& e : list.m_entries) {
    out.BeginObject();
    out.Field("name", e.name);
    out.Field("mapX", e.mapX);
    out.Field("mapY", e.mapY);
    out.Field("frameName", e.frameName);
    out.Field("startX", e.startX);
    out.Field("startZ", e.startZ);
    out.Field("cameraHeading", e.cameraHeading);
    out.Field("partyHeading", e.partyHeading);
    out.Field("labelPicture", e.labelPicture);
    out.Field("hoverPicture", e.hoverPicture);
    out.Field("kind", e.kind);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

bool InspectPlaceNames(const InspectSource&, const InspectOptions&, JsonWriter& out) {
  CPlaceNameTable names;
  if (!names.Load()) return false;
  out.BeginObject();
  out.Key("places").BeginArray();
  for (const auto& [key, text] : names.Entries()) {
    out.BeginObject();
    out.Field("key", key);
    out.Field("text", text);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

namespace {

// The list number; false (logged) for anything but a decimal number.
bool ListNumber(const std::string& text, int* n) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
    DebugLog("slvinspect: the list number must be a decimal number: " + text);
    return false;
  }
  *n = static_cast<int>(value);
  return true;
}

}  // namespace

bool InspectShop(const InspectSource& source, const InspectOptions& options, JsonWriter& out) {
  int n = 0;
  SetResDirectory("\\");
  g_shopText.Reset();
  if (!ListNumber(options.text, &n) || !g_shopText.Load(source.ResName()) || !LoadShopList(n)) return false;
  out.BeginObject();
  out.Field("shop", n);
  out.Key("entries").BeginArray();
  for (int i = 0; i < g_shopList.count; ++i) {
    out.BeginObject();
    out.Field("name", g_shopList.names[static_cast<size_t>(i)]);
    out.Field("percent", g_shopList.percents[static_cast<size_t>(i)]);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

bool InspectLibrary(const InspectSource& source, const InspectOptions& options, JsonWriter& out) {
  int n = 0;
  SetResDirectory("\\");
  g_libraryText.Reset();
  if (!ListNumber(options.text, &n) || !g_libraryText.Load(source.ResName()) || !LoadLibraryList(n)) return false;
  out.BeginObject();
  out.Field("library", n);
  out.Key("entries").BeginArray();
  for (const std::string& entry : g_libraryList.entries) out.Text(entry);
  out.EndArray();
  out.EndObject();
  return true;
}

}  // namespace slvinspect
