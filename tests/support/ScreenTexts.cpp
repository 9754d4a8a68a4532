#include "tests/support/ScreenTexts.h"

namespace testsupport {

namespace {

// Runs that check: ElderTalkRun, ElderGiftRun, FieldMenuRun,
// ItemEquipRun, InnPagesRun, DiaryOptionsRun, ShopSaveRun, SampleBattleRun,
// SampleBattleAimRun, WorldMapRun (headless, their "textcheck" lines);
// BattleMenuGoldenTest, HudGoldenTest, HwConfigDialogTest (in-process
// drawings).
std::vector<ScreenTexts> BuildTable() {
  const CoveredText kTacticsGrid[] = {
      {"매뉴얼", "the grid of the second column's member opens at (158, 80), over the first column's list"},
      {"열혈공격", "the same grid"},
      {"공격우선", "the same grid"},
      {"도망우선", "the same grid"},
      {"공격지원", "the same grid"}};
  return {
      {"title", "title", "WorldMapRun", true,
       {{"Ver 1.13", "the version is written twice, the second copy a pixel up and left of the first, its shadow"}}},
      // The launcher's menu is pictures: its wallpaper and its entries' hot
      // spots; it has no text to check.
      {"launcher_setup", "launcher: the set-up dialog", "HwConfigDialogTest", true, {}},
      {"field_talk", "field HUD, message window and choice list", "ElderTalkRun", true, {}},
      {"field_farewell", "field HUD: the elder's farewell after his gifts", "ElderGiftRun", true, {}},
      {"menu_status", "field menu: status page", "FieldMenuRun", true, {}},
      {"menu_status_switched", "field menu: status page after choosing another member", "FieldMenuRun", true, {}},
      {"menu_member", "field menu: a member's pop-up menu", "FieldMenuRun", true,
       {{"Level", "the pop-up opens at the pointer + (15, 10), over the member column and the status page"},
        {"Exp", "the same pop-up"},
        {"sizz", "the same pop-up, over the first member's label"},
        {"maria", "the same pop-up, over the second member's label"}}},
      {"menu_exit", "field menu: the quit question", "FieldMenuRun", true,
       {},
       {"정말 그만 하시겠습니까?", "YES", "NO"},
       "the question opens at (230, 150), over the item diary's page"},
      {"menu_item", "field menu: item page", "ItemEquipRun", true, {}},
      {"menu_read", "field menu: an item read", "ItemEquipRun", true,
       {},
       {"여관 주인이", "지하 창고에는", "누가 쓴 것인지는", "OK"},
       "the text's box covers the whole page, from (40, 40) to (600, 400)"},
      {"menu_equip", "field menu: equipment page", "ItemEquipRun", true, {}},
      {"menu_magic", "field menu: magic page", "InnPagesRun", true, {}},
      {"menu_skill", "field menu: skill page", "InnPagesRun", true, {}},
      {"diary_item", "field menu: item diary", "DiaryOptionsRun", true, {}},
      {"diary_monster", "field menu: monster diary", "DiaryOptionsRun", true, {}},
      {"diary_scrap", "field menu: scrap diary", "DiaryOptionsRun", true, {}},
      {"menu_options", "field menu: options page", "DiaryOptionsRun", true, {}},
      {"menu_tactics", "field menu: tactics page with a member's grid", "InnPagesRun", true,
       std::vector<CoveredText>(std::begin(kTacticsGrid), std::end(kTacticsGrid))},
      // The shop's sell and appraise screens are gone: their kinds open an
      // empty desktop, which F1 or F5 leaves.
      {"shop", "shop: goods and basket", "ShopSaveRun", true,
       {{"DEF", "each member's figure stands at the foot of its stat column, on the labels' own x"},
        {"SPD", "the same figure"},
        {"MAG", "the same figure"}}},
      {"item_box", "item box", "InnPagesRun", true, {}},
      {"party", "party screen", "InnPagesRun", true,
       {{"SIZZ", "a card's name stands 20 above its point, on the figure that stands on that point"},
        {"MARIA", "the same card layout"},
        {"KREUTZER", "the same card layout"}}},
      {"save", "save screen", "ShopSaveRun", true, {}},
      {"save_question", "save screen: the question", "ShopSaveRun", true,
       {{"N E W   S A V E", "the question opens at (230, 150), over the slot list's first row"}}},
      {"save_list", "save screen after a save", "ShopSaveRun", true, {}},
      {"load", "load screen", "ShopSaveRun", true, {}},
      {"battle_menu", "battle: command menu", "SampleBattleRun", true, {}},
      {"battle_tactics", "battle: auto (tactics) sub-menu", "SampleBattleRun", true, {}},
      {"battle_sub_menus", "battle: magic, skill, item and equipment sub-menus, each tab", "BattleMenuGoldenTest",
       true, {}},
      {"battle_panels", "battle: party panels and the target panel", "SampleBattleRun", true, {}},
      {"battle_target", "battle: choosing a target", "SampleBattleAimRun", true, {}},
      {"battle_words", "battle: message window", "SampleBattleRun", true,
       {},
       {"장미의 독이"},
       "the window is drawn after the party panels, over them"},
      // The wheel, the panels' labels and their numbers are pictures.
      {"result_wheel", "result screen: the wheel", "SampleBattleRun", false, {}},
      {"result_counting", "result screen: counting", "SampleBattleRun", false, {}},
      {"result_level_up", "result screen: level up", "SampleBattleRun", true, {}},
      {"result_item", "result screen: a drop", "SampleBattleRun", true,
       {},
       {"획득"},
       "the drop's message, centred at y 180, is drawn over the panels: the level-up panel's first row lies under it"},
      {"result_money", "result screen: the money", "SampleBattleRun", true, {}},
      {"world_map", "world map", "WorldMapRun", false, {}},
      {"game_over", "game over", "HudGoldenTest", true, {}},
      {"scenario", "scenario selection", "HudGoldenTest", false, {}},
  };
}

const ScreenTexts* Find(const std::string& check) {
  for (const ScreenTexts& s : ScreenTextTable()) {
    if (check == s.check) return &s;
  }
  return nullptr;
}

}  // namespace

const std::vector<ScreenTexts>& ScreenTextTable() {
  static const std::vector<ScreenTexts> table = BuildTable();
  return table;
}

TextExceptions CoveredTexts(const std::string& check) {
  TextExceptions out;
  if (const ScreenTexts* s = Find(check)) {
    for (const CoveredText& c : s->covered) out.emplace_back(c.text);
  }
  return out;
}

std::string UnreadTexts(const std::string& check, const std::vector<TextKept>& texts) {
  const ScreenTexts* screen = Find(check);
  if (screen == nullptr) return "no screen " + check + " in the table";
  if (!screen->drawsText) {
    std::string out;
    for (const TextKept& t : texts) out += "a text on a screen of pictures: " + t.text + "\n";
    return out;
  }
  if (texts.empty()) return "no texts on " + check;
  if (screen->held.empty()) return HiddenTexts(texts, CoveredTexts(check));
  std::vector<TextKept> held;
  for (const TextKept& t : texts) {
    for (const char* h : screen->held) {
      if (t.text.find(h) != std::string::npos) {
        held.push_back(t);
        break;
      }
    }
  }
  if (held.empty()) return "none of the box's texts on " + check;
  return HiddenTexts(held);
}

}  // namespace testsupport
