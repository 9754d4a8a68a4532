// The dialogue, notice, header, party, picture and effect words: what each
// writes into the game frame, whom it tells to wait, whether the run goes
// on; the sysex sub-words; the party rebuilt under a running leader.
#include <gtest/gtest.h>

#include "engine/Controller.h"
#include "engine/Tokenizer.h"
#include "field/FieldEnemy.h"
#include "field/Player.h"
#include "field/PlayerStart.h"
#include "platform/Clock.h"
#include "script/DialogueCommands.h"
#include "session/ItemMgr.h"
#include "session/ScrapMgr.h"
#include "session/Session.h"
#include "tests/script/ScriptFixture.h"
#include "ui/ShopList.h"

namespace {

using Messages = std::vector<RecordedMessage>;

namespace dialoguecommandstest {
constexpr int kPotion = 7;
}  // namespace dialoguecommandstest

class DialogueTest : public ScriptTest {
 protected:
  DialogueTest()
      : m_elder(AddActor("elder")), m_guard(AddActor("guard")), m_door(AddModel("door")), m_box(AddBox("gate")) {
    std::string items;
    for (int i = 0; i < 7; ++i) items += "#item < 없음 > < > 0 empty" + std::to_string(i) + "\n#type 0\n#end\n";
    items += "#item < potion > < > 3 potion\n#type 8\n#sprname potion.bmp\n#end\n";
    Write("data/diary/item.txt", items);
    Write("data/diary/scraps.txt", "#scrap < lore > 0\nold words\n#end\n#scrap < map > 1\nroads\n#end\n");
    EXPECT_TRUE(CItemMgr::GetInstance().Load("diary/item.txt"));
    EXPECT_TRUE(CScrapMgr::GetInstance().Load("diary/"));
    CSession& session = CSession::GetInstance();
    session.Init();
    const char* names[] = {"sizz", "kreutzer", "maria"};
    for (int id = 0; id < 3; ++id) session.players[static_cast<size_t>(id)].engname = names[id];
    session.partyIds = {0, 1, 0, 0, 0, 0};
    session.partyCount = 2;
  }
  ~DialogueTest() override {
    CItemMgr::GetInstance().Free();
    CScrapMgr::GetInstance().Free();
    CSession::GetInstance().Init();
  }

  // Runs the line as the elder's; true when the run went on after it.
  bool RunLine(const std::string& line, const std::string& subject = "elder") {
    for (auto* r : {&m_elder, &m_guard}) r->messages.clear();
    m_door.messages.clear();
    if (m_player != nullptr) m_player->messages.clear();
    return Run(line + "\nerror #next\n", subject) == std::vector<std::string>{"#next"};
  }

  RecordingActor& m_elder;
  RecordingActor& m_guard;
  RecordingModel& m_door;
  MapEvent& m_box;
  RecordingActor* m_player = &AddPlayer();
};

// What a dialogue word leaves in the frame.
struct Window {
  std::string text{}, speaker{};
  int state = 0, pending = 0, balloon = 3, item = -1;
  std::string caption{};
  int captionTimer = 0, captionLine = 0;
  bool operator==(const Window&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Window& w) {
  return out << "{" << w.text << "|" << w.speaker << "| state " << w.state << " pending " << w.pending << " balloon "
             << w.balloon << " item " << w.item << " caption " << w.caption << " " << w.captionTimer << " "
             << w.captionLine << "}";
}

TEST_F(DialogueTest, EachDialogueWordFillsTheWindowAndHoldsItsListeners) {
  const RecordedMessage hold{12, 1, 0, 0};
  const RecordedMessage playerHold{12, 0, 0, 0};
  const struct {
    const char* line;
    Window window;
    Messages elder, player;
    bool goesOn;
  } cases[] = {
      {"say hello", {.text = "hello", .state = 1, .balloon = 0}, {hold}, {playerHold}, false},
      {"shout \"hi there\" bob", {.text = "hi there", .speaker = "bob", .state = 1, .balloon = 1}, {hold}, {playerHold}, false},
      {"ear x", {.text = "x", .state = 1, .balloon = 2}, {hold}, {playerHold}, false},
      {"monologue x", {.text = "x", .state = 1, .balloon = 2}, {hold}, {playerHold}, false},
      {"wait", {.state = 5}, {hold}, {}, false},
      {"close", {.state = 4}, {}, {{13, 0, 0, 0}}, true},
      {"header title", {.caption = "title", .captionTimer = 100}, {{18, 1, 0, 0}}, {}, true},
      {"header title 1", {.caption = "title", .captionTimer = 100, .captionLine = 1}, {{18, 1, 0, 0}}, {}, true},
      {"msg notice", {.text = "notice", .state = 5, .pending = 6}, {hold}, {playerHold}, false},
      {"getitem potion", {.text = "potion 획득", .state = 5, .pending = 11, .item = dialoguecommandstest::kPotion}, {hold}, {playerHold}, false},
      {"getitem potion 3", {.text = "potion 3개 획득", .state = 5, .pending = 15, .item = dialoguecommandstest::kPotion}, {hold}, {playerHold}, false},
      {"getitem nothing", {.text = "nothing 획득", .state = 5, .pending = 12}, {hold}, {playerHold}, false},
      {"getgold 250", {.text = "250길드 획득", .state = 5, .pending = 12}, {hold}, {playerHold}, false},
      {"setvolume 3", {}, {}, {}, true},
      {"releasevolume", {}, {}, {}, true},
  };
  CSession& session = CSession::GetInstance();
  for (const auto& c : cases) {
    CSelvarinFrame& f = Frame();
    f.m_messageState = 0;
    f.m_messageText.clear(), f.m_messageSpeaker.clear(), f.m_caption.clear();
    f.m_messagePending = 0, f.m_messagePos = 7, f.m_messageItem = -1, f.m_balloonKind = 3;
    f.m_captionTimer = 0, f.m_captionLine = 0;
    f.m_pMessageVillager = nullptr;
    EXPECT_EQ(RunLine(c.line), c.goesOn) << c.line;
    const Window seen{f.m_messageText, f.m_messageSpeaker, f.m_messageState, f.m_messagePending, f.m_balloonKind,
                      f.m_messageItem, f.m_caption, f.m_captionTimer, f.m_captionLine};
    EXPECT_EQ(seen, c.window) << c.line;
    if (c.window.state == 1 || c.window.state == 5) {
      EXPECT_EQ(f.m_messagePos, 0) << c.line;
    }
    EXPECT_EQ(m_elder.messages, c.elder) << c.line;
    EXPECT_EQ(m_player->messages, c.player) << c.line;
    // The held villager hears when the message ends.
    EXPECT_EQ(f.m_pMessageVillager, c.elder == Messages{hold} ? &m_elder : nullptr) << c.line;
  }
  EXPECT_EQ(session.inventory[dialoguecommandstest::kPotion], 4);
  EXPECT_EQ(session.itemDiary[dialoguecommandstest::kPotion], 1);
  EXPECT_EQ(session.gold, 250);
}

TEST_F(DialogueTest, ASecondSayTurnsTheOpenWindowToItsNextPage) {
  platform::FakeClock clock(5000);
  platform::ScopedClockSource guard(&clock);
  Frame().m_messageState = 0;
  RunLine("say one");
  EXPECT_EQ(Frame().m_messageState, 1);
  Frame().m_messageState = 7;  // laid out, the subject resumed
  RunLine("say two");
  EXPECT_EQ(Frame().m_messageState, 2);
  EXPECT_EQ(Frame().m_messagePageTime, 5000u);
  EXPECT_EQ(Frame().m_messageText, "two");
  Frame().m_messageState = 4;  // closing counts as closed
  RunLine("say three");
  EXPECT_EQ(Frame().m_messageState, 1);
}

TEST_F(DialogueTest, KeywordsRaiseTheirScrapsToOneOnlyFromBelow) {
  CSession& session = CSession::GetInstance();
  session.scrapDiary[1] = 2;
  RunLine("say \"<%lore%> and <%map%> and <%nowhere%>\"");
  EXPECT_EQ(session.scrapDiary[0], 1);
  EXPECT_EQ(session.scrapDiary[1], 2);
  EXPECT_EQ(session.scrapDiary[2], 0);
}

TEST_F(DialogueTest, TheSubjectIsTheActorThenTheBoxThenTheModel) {
  AddBox("elder");
  RunLine("say hi");
  EXPECT_EQ(m_elder.messages, (Messages{{12, 1, 0, 0}}));
  EXPECT_EQ(Frame().m_pMessageVillager, &m_elder);

  RunLine("say hi", "gate");
  EXPECT_EQ(m_box.m_requestLine, 1);  // its resume line
  EXPECT_EQ(Frame().m_pMessageEvent, &m_box);
  EXPECT_EQ(Frame().m_pMessageVillager, nullptr);
  EXPECT_EQ(m_player->messages, (Messages{{12, 0, 0, 0}}));

  RunLine("msg hi", "door");
  EXPECT_EQ(m_door.messages, (Messages{{12, 1, 0, 0}}));
  EXPECT_EQ(Frame().m_pMessage3dActor, &m_door);
  EXPECT_EQ(Frame().m_pMessageEvent, nullptr);
}

TEST_F(DialogueTest, AMissingSubjectSetsTheWindowButHoldsNobody) {
  EXPECT_FALSE(RunLine("say alone", "nobody"));
  EXPECT_EQ(Frame().m_messageText, "alone");
  EXPECT_EQ(Frame().m_messageState, 1);
  EXPECT_TRUE(m_player->messages.empty());
  EXPECT_TRUE(Logged("no subject"));
  EXPECT_EQ(Frame().m_pMessageVillager, nullptr);
}

TEST_F(DialogueTest, CallLibraryRaisesItsScrapsAndNamesThemInTheHeader) {
  Write("data/library.txt", "#library 2\nlore\nnowhere\n#end\n");
  g_libraryText.Reset();
  ASSERT_TRUE(g_libraryText.Load("library.txt"));
  EXPECT_TRUE(RunLine("calllibrary 2 1"));
  EXPECT_EQ(CSession::GetInstance().scrapDiary[0], 2);
  EXPECT_EQ(Frame().m_caption, "다이어리내에 항목 추가 : lore nowhere");
  EXPECT_EQ(Frame().m_captionTimer, 100);
  EXPECT_EQ(Frame().m_captionLine, 1);
  EXPECT_EQ(m_elder.messages, (Messages{{18, 1, 0, 0}}));
  g_libraryText.Reset();
}

TEST_F(DialogueTest, SkyCompassAndMacroWords) {
  EXPECT_TRUE(RunLine("setsky clouds.bmp"));
  EXPECT_EQ(View().m_sky, "clouds.bmp");
  EXPECT_TRUE(RunLine("setsky a b"));  // only with exactly one name
  EXPECT_EQ(View().m_sky, "clouds.bmp");
  EXPECT_TRUE(RunLine("offsky"));
  EXPECT_EQ(View().m_sky, "");
  for (const auto& [line, on] : std::initializer_list<std::pair<const char*, int>>{
           {"showcompass 0", 0}, {"showcompass 2", 0}, {"showcompass 1", 1}}) {
    EXPECT_TRUE(RunLine(line));
    EXPECT_EQ(Frame().m_compassOn, on) << line;
  }
  EXPECT_FALSE(RunLine("macro nothing.rsa"));
  EXPECT_EQ(Frame().m_pendingMode, kModeScript);
  EXPECT_EQ(Frame().m_pMacro, nullptr);
  Frame().m_pendingMode = -1;
}

TEST_F(DialogueTest, SetBg4ReplacesTheLastFourBytesAndNeedsThem) {
  // No display here: each texture fails, and says which file it was.
  const struct {
    const char* line;
    std::vector<std::string> tried;
  } cases[] = {
      {"setbg4 a.bmp", {"a-0.bmp", "a-1.bmp", "a-2.bmp", "a-3.bmp"}},
      {"setbg4 abcd", {"-0.bmp", "-1.bmp", "-2.bmp", "-3.bmp"}},
      {"setbg4 abc", {}},
      {"setbg b.bmp", {"b.bmp"}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(RunLine(c.line));
    std::vector<std::string> tried;
    for (const std::string& l : m_log) {
      if (l.rfind("background ", 0) == 0) tried.push_back(l.substr(11, l.find(' ', 11) - 11));
    }
    EXPECT_EQ(tried, c.tried) << c.line;
    for (CTexture* t : Frame().m_overlayTextures) EXPECT_EQ(t, nullptr);
  }
  RunLine("setbg4 abc");
  EXPECT_TRUE(Logged("setbg4: no extension in abc"));
}

TEST_F(DialogueTest, CallBattleAsksTheFrameForTheEnemysBattle) {
  struct BattleFrame : CSelvarinFrame {
    void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
      seen.push_back({sender, {code, a, b, c}});
    }
    std::vector<std::pair<CObject*, RecordedMessage>> seen;
  } frame;
  frame.m_pContext = &Context();
  auto* wolf = new CFieldEnemy;
  wolf->m_name = "wolf";
  wolf->m_battleLine = 5;
  wolf->m_eventLine = 9;
  Context().m_liveActors.push_back(wolf);
  Context().m_fieldEnemies.push_back(wolf);
  for (const char* line : {"callbattle wolf", "callbattle sheep"}) {
    CTokenizer tokens;
    tokens.Tokenize(line);
    bool goesOn = false;
    EXPECT_TRUE(ExecDialogueCommand(frame, tokens, 0, "elder", &goesOn));
    EXPECT_TRUE(goesOn);
  }
  frame.m_pContext = nullptr;
  ASSERT_EQ(frame.seen.size(), 1u);
  EXPECT_EQ(frame.seen[0].first, wolf);
  EXPECT_EQ(frame.seen[0].second, (RecordedMessage{0, 0, 5, 9}));
}

TEST_F(DialogueTest, SysexSubWordsSetTheEffectStateOrTellTheSubject) {
  struct Effect {
    int kind = 0;
    std::vector<std::string> pictures{"", ""};
    int layout = 0, length = 0;
    int axis = 0;
    float amplitude = 0.0f;
    int limit = -1;
    int memo = 0, blink = 0;
    bool operator==(const Effect&) const = default;
  };
  const auto seen = [this] {
    const CSelvarinFrame& f = Frame();
    return Effect{f.m_overlayState, {f.m_overlayPictures[0], f.m_overlayPictures[1]}, f.m_overlayLayout,
                  f.m_overlayLength, f.m_shakeAxis, f.m_shakeAmplitude, f.m_shakeLimit, f.m_flashbackShown,
                  f.m_pictureBlink};
  };
  const struct {
    const char* line;
    int kindBefore;
    Effect effect;
    Messages elder;
    bool goesOn = true;
  } cases[] = {
      {"sysex white", 0, {.kind = 1}, {}},
      {"sysex vilname a.tga b.tga", 0, {.kind = 2, .pictures = {"a.tga", "b.tga"}, .length = 300}, {}},
      {"sysex vilname a.tga b.tga 1", 0, {.kind = 2, .pictures = {"a.tga", "b.tga"}, .layout = 1, .length = 150}, {}},
      {"sysex vilname a.tga b.tga 2 40", 0, {.kind = 2, .pictures = {"a.tga", "b.tga"}, .layout = 2, .length = 40}, {}},
      {"sysex magic 7", 1, {}, {{22, 7, 0, 0}}},
      {"sysex effect 12", 4, {}, {{51, 12, 0, 0}}},
      {"sysex quake", 0, {.kind = 4, .amplitude = 1.0f, .limit = 200}, {}},
      {"sysex quake 5", 0, {.kind = 4, .amplitude = 1.0f, .limit = 0}, {}},
      {"sysex quake 5 50", 0, {.kind = 4, .amplitude = 0.5f, .limit = 0}, {}},
      {"sysex quake 2 50 30", 0, {.kind = 4, .axis = 2, .amplitude = 0.5f, .limit = 30}, {}},
      {"sysex quake 9 200 30", 0, {.kind = 4, .amplitude = 2.0f, .limit = 30}, {}},
      {"sysex stopquake", 4, {.limit = 0}, {}},
      {"sysex memo 1", 0, {.kind = 3, .memo = 1}, {}},
      {"sysex memo 0", 3, {}, {}},
      {"sysex header pic.tga", 2, {.kind = 2}, {}},  // keeps the kind
      {"sysex crowd 6 3 hey", 2, {.kind = 2}, {{42, 0, 3, 100}}},
      {"sysex crowd 7 0 hey", 2, {.kind = 2}, {}, false},
      {"sysex nonsense", 2, {.kind = 2}, {}},
  };
  for (const auto& c : cases) {
    CSelvarinFrame& f = Frame();
    f.m_overlayState = c.kindBefore;
    f.m_overlayTick = 9;
    f.m_overlayPictures = {"", ""};
    f.m_overlayLayout = f.m_overlayLength = f.m_shakeAxis = f.m_flashbackShown = f.m_pictureBlink = 0;
    f.m_shakeAmplitude = 0.0f;
    f.m_shakeLimit = -1;
    EXPECT_EQ(RunLine(c.line), c.goesOn) << c.line;
    EXPECT_EQ(seen(), c.effect) << c.line;
    Messages elder = m_elder.messages;
    if (!elder.empty() && elder[0].code == 42) elder[0].a = 0;  // a text's address
    EXPECT_EQ(elder, c.elder) << c.line;
    if (c.effect.kind != c.kindBefore && c.effect.kind != 0) {
      EXPECT_EQ(f.m_overlayTick, 0) << c.line;
    }
  }
}

TEST_F(DialogueTest, SysexHeaderAndCrowdFillTheirSlots) {
  CSelvarinFrame& f = Frame();
  // The flicker period is read from the sub-word itself: 0, never a blink.
  f.m_pictureBlink = 30;
  EXPECT_TRUE(RunLine("sysex headerflick -8"));
  EXPECT_EQ(f.m_pictureBlink, 0);
  f.m_pictureBlink = 30;
  EXPECT_TRUE(RunLine("sysex header sign.tga 3 80"));
  EXPECT_EQ(f.m_pictureSlotNames[3], "sign.tga");
  EXPECT_EQ(f.m_pictureSlotPeriods[3], 80);
  EXPECT_EQ(f.m_pictureSlotCounters[3], 1);
  EXPECT_EQ(f.m_pictureBlink, 0);
  EXPECT_TRUE(RunLine("sysex header sign.tga"));
  EXPECT_EQ(f.m_pictureSlotNames[0], "sign.tga");
  EXPECT_EQ(f.m_pictureSlotPeriods[0], 50);
  for (const char* line : {"sysex header x.tga 5", "sysex header x.tga -1"}) {
    EXPECT_TRUE(RunLine(line));
    EXPECT_TRUE(Logged("no picture slot")) << line;
  }
  EXPECT_TRUE(RunLine("sysex crowd 4 2 \"good day\""));
  EXPECT_EQ(f.m_captionTexts[4], "good day");
  EXPECT_EQ(f.m_captionStyles[4], 2);
  EXPECT_EQ(f.m_captionTimers[4], 100);
  EXPECT_TRUE(RunLine("sysex crowd 0 1 x 30"));
  EXPECT_EQ(f.m_captionTimers[0], 30);
  std::string text;
  m_elder.answer = [&](int code, intptr_t a) {
    if (code == 42) text = reinterpret_cast<const char*>(a);
  };
  RunLine("sysex crowd 6 0 hello 40");
  EXPECT_EQ(text, "hello");
  ASSERT_EQ(m_elder.messages.size(), 1u);
  EXPECT_EQ(m_elder.messages[0], (RecordedMessage{42, m_elder.messages[0].a, 0, 40}));
}

// The party words, with the field's own party actors.
class PartyWordsTest : public DialogueTest {
 protected:
  PartyWordsTest() {
    // The recording player goes; the party's own actors stand in its place.
    Context().m_player = nullptr;
    Context().RemoveActor(m_player);
    m_player = nullptr;
    g_playerStart = PlayerStart{12.0f, 0.0f, -4.0f, 90.0f};
    Context().MakePlayerActors();
  }
  ~PartyWordsTest() override {
    Context().FreePlayers();
    g_playerStart = PlayerStart{};
    g_talkInProgress = g_partyRebuilt = 0;
  }
  std::vector<std::string> PartyNames() {
    std::vector<std::string> names;
    for (auto it = Context().m_partyChain.rbegin(); it != Context().m_partyChain.rend(); ++it) names.push_back((*it)->m_name);
    return names;
  }
};

TEST_F(PartyWordsTest, AChangeRebuildsThePartyWhereTheLeaderStands) {
  constexpr int32_t kMark = 7777;
  Context().GetPlayer()->m_pos = Vec3{30.0f, 0.0f, 40.0f};
  Context().GetPlayer()->m_angle = 45.0f;
  // A mark the actors made anew do not carry (their addresses may repeat).
  Context().GetPlayer()->m_tickCount = kMark;
  EXPECT_TRUE(RunLine("joinparty maria"));
  EXPECT_EQ(PartyNames(), (std::vector<std::string>{"sizz", "kreutzer", "maria"}));
  EXPECT_NE(Context().GetPlayer()->m_tickCount, kMark);
  EXPECT_EQ(Context().GetPlayer()->m_pos.x, 30.0f);
  EXPECT_EQ(Context().GetPlayer()->m_pos.z, 40.0f);
  EXPECT_EQ(Context().GetPlayer()->m_angle, 45.0f);
  EXPECT_EQ(View().m_pFollow, Context().GetPlayer());
  EXPECT_EQ(g_partyRebuilt, 0);  // no talk runs

  // Refused: already in the party, or nobody of that name. Nothing is made again.
  Context().GetPlayer()->m_tickCount = kMark;
  for (const char* line : {"joinparty maria", "joinparty nobody", "setleader nobody"}) {
    EXPECT_TRUE(RunLine(line));
    EXPECT_EQ(Context().GetPlayer()->m_tickCount, kMark) << line;
  }
  CSession::GetInstance().players[5].engname = "outsider";
  EXPECT_TRUE(RunLine("setleader outsider"));
  EXPECT_EQ(Context().GetPlayer()->m_tickCount, kMark);
  EXPECT_TRUE(Logged("is not in the party"));

  EXPECT_TRUE(RunLine("setleader maria"));
  EXPECT_EQ(PartyNames(), (std::vector<std::string>{"maria", "kreutzer", "sizz"}));
  EXPECT_TRUE(RunLine("leaveparty kreutzer"));
  EXPECT_EQ(PartyNames(), (std::vector<std::string>{"maria", "sizz"}));
}

TEST_F(PartyWordsTest, DuringATalkTheRebuildIsFlagged) {
  g_talkInProgress = 1;
  RunLine("joinparty maria");
  EXPECT_EQ(g_partyRebuilt, 1);
}

// A villager whose talk runs its script at once, from the leader's own tick.
class Talker : public CSelvarinActor {
 public:
  void OnMessage(CObject*, int code, intptr_t, intptr_t, intptr_t) override {
    if (code == 0) GetGameFrame()->RunEventScript(0, m_name, m_position);
  }
  ScriptPosition m_position;
};

TEST_F(PartyWordsTest, AJoinInTheLeadersOwnTalkEndsTheOldLeaderSafely) {
  UseScript("joinparty maria\nsetleader maria\nreturn\n");
  auto* talker = new Talker;
  talker->m_name = "talker";
  const CSelvarinActor* leader = Context().GetPlayer();
  talker->m_pos = Vec3{leader->m_pos.x + 8.0f, 0.0f, leader->m_pos.z};  // ahead, facing 90
  Context().m_liveActors.push_back(talker);
  CKeyPad pad;
  pad.m_buttons.fill(kStateUp);
  pad.m_buttons[5] = kStatePressed;
  CKeyPad* saved = g_pMainKeyPad;
  g_pMainKeyPad = &pad;
  Context().Update();
  pad.m_buttons[5] = kStateHeld;
  Context().Update();  // the new party's first tick
  g_pMainKeyPad = saved;
  EXPECT_EQ(PartyNames(), (std::vector<std::string>{"maria", "kreutzer", "sizz"}));
  EXPECT_EQ(g_partyRebuilt, 0);
  EXPECT_EQ(g_talkInProgress, 0);
}

}  // namespace
