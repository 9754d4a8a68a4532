#pragma once
// A battle on the flat test map for the battle scripts: a small item
// table, the characters sizz, ai and peach (sizz and peach in the party),
// and participants that record every message before answering it: sizz on
// the party's side, the enemy "늑대" in slot 0, added as the battle makes
// them.
#include <memory>
#include <string>
#include <vector>

#include "battle/BattlePlayer.h"
#include "battle/enemy/BattleEnemy.h"
#include "platform/Random.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "tests/script/ScriptFixture.h"

template <class Base>
class RecordingParticipant : public Base {
 public:
  bool OnProcess() override { return true; }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    messages.push_back(RecordedMessage{code, a, b, c});
    senders.push_back(sender);
    Base::OnMessage(sender, code, a, b, c);
  }
  // The codes received, in order.
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const RecordedMessage& m : messages) codes.push_back(m.code);
    return codes;
  }
  std::vector<RecordedMessage> messages;
  std::vector<CObject*> senders;
};

using RecordingMember = RecordingParticipant<CBattlePlayer>;
using RecordingEnemy = RecordingParticipant<CBattleEnemy>;

class BattleScriptTest : public ScriptTest {
 protected:
  static constexpr int kSword = 7;
  static constexpr int kHerb = 8;

  BattleScriptTest() {
    std::string items;
    const int emptyKinds[7] = {2, 3, 0, 1, 4, 6, 5};
    for (int i = 0; i < 7; ++i) items += ItemBlock("empty" + std::to_string(i), emptyKinds[i]);
    items += ItemBlock("sword", 0) + ItemBlock("약초", 8);
    Write("data/diary/item.txt", items);
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    session.Init();
    const char* names[] = {"sizz", "ai", "peach"};
    for (int id = 0; id < 3; ++id) session.players[static_cast<size_t>(id)].engname = names[id];
    session.partyIds = {};
    session.partyCount = 0;
    session.JoinPlayer(0);
    session.JoinPlayer(2);
    for (int id = 0; id < 3; ++id) {
      PlayerData& player = session.players[static_cast<size_t>(id)];
      player.lvl = 10 + id;
      player.hp = 40 + id;
      player.maxhp = 50 + id;
      player.shp = 5 + id;
      player.maxshp = 9;
    }
    session.gold = 1234;
    session.inventory[kSword] = 2;
    session.players[0].weapon = kSword;
    session.inventory[kHerb] = 5;
  }
  ~BattleScriptTest() override {
    session.Init();
    session.scriptVariables.Clear();
    session.battleVariables.Clear();
    session.hooks.Clear();
    CItemMgr::GetInstance().Free();
    platform::ClearQueuedRand();
  }

  static std::string ItemBlock(const std::string& name, int kind) {
    return "#item < " + name + " > < > 0 " + name + "\n#type " + std::to_string(kind) + "\n#end\n";
  }

  // A party member's battle actor at the party position.
  RecordingMember& AddMember(int id, int position) {
    auto* actor = new RecordingMember;
    PlayerData& record = session.players[static_cast<size_t>(id)];
    actor->m_name = record.engname;
    actor->m_record = &record;
    actor->m_playerId = id;
    actor->m_battleId = {position, 1};
    record.battlePtr = actor;
    Context().m_battleObjects.push_back(actor);
    Context().m_battleParty.push_back(actor);
    ++session.battlePartyCount;
    return *actor;
  }
  RecordingEnemy& AddEnemy(const std::string& name, int slot, int32_t hp = 30) {
    auto* actor = new RecordingEnemy;
    EnemySlot& s = session.enemies[static_cast<size_t>(slot)];
    s = EnemySlot{};
    s.actor = actor;
    s.name = name;
    s.hp = hp;
    s.maxhp = 60;
    s.shp = 3;
    actor->m_name = name;
    actor->m_slot = &s;
    actor->m_battleId = {slot, 0};
    Context().m_battleObjects.push_back(actor);
    Context().m_battleEnemies.push_back(actor);
    ++session.enemyCount;
    return *actor;
  }
  // Sizz and the wolf.
  void AddBoth() {
    m_sizz = &AddMember(0, 0);
    m_wolf = &AddEnemy("늑대", 0);
  }

  // Runs the text from a line as the battle mode does; the debug log kept.
  void RunBattleScript(const std::string& text, int line = 0) {
    UseScript(text);
    RunBattleFrom(line);
  }
  void RunBattleFrom(int line) {
    testsupport::DebugLogCapture log;
    Frame().m_battleScriptRunning = 1;
    Frame().RunBattleEventScript(line);
    m_log = log.Lines();
  }

  CSession& session = CSession::GetInstance();

 public:  // for the checks of table rows
  RecordingMember* m_sizz = nullptr;
  RecordingEnemy* m_wolf = nullptr;
};
