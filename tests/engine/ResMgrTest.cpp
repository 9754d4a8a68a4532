#include "engine/ResMgr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "engine/Frame.h"
#include "engine/TextRes.h"
#include "platform/Clock.h"
#include "tests/support/TestSupport.h"

namespace {

struct ResEvents {
  int loads = 0;
  int resets = 0;
  int destroyed = 0;
  std::string lastName;
};
ResEvents g_events;

// Loads fail for a file whose content is "bad".
class CProbeRes : public CRes {
  SLV_RES(CProbeRes)
 public:
  ~CProbeRes() override { ++g_events.destroyed; }
  bool Load(const std::string& name) override {
    ++g_events.loads;
    g_events.lastName = name;
    CFileStream file;
    m_loaded = file.Open(name, CFileStream::kRead) && file.GetSize() != 3;
    return m_loaded;
  }
  void Reset() override { ++g_events.resets; }
  bool m_loaded = false;
};

// Runs in a fresh game folder with a fake clock and its own manager.
class ResMgrTest : public ::testing::Test {
 protected:
  ResMgrTest() : m_clock(1000), m_clockGuard(&m_clock), m_savedDir(std::filesystem::current_path()) {
    std::filesystem::current_path(m_dir.Path());
    g_events = ResEvents{};
    m_mgr.RegisterType("tst", "sprite\\", new CProbeRes);
  }
  ~ResMgrTest() override { std::filesystem::current_path(m_savedDir); }

  CRes* Get(const char* name) { return m_mgr.GetRes(name); }
  void Write(const std::string& path, const std::string& bytes = "ok") { m_dir.Write(path, bytes); }

  testsupport::TempDir m_dir;
  platform::FakeClock m_clock;
  platform::ScopedClockSource m_clockGuard;
  std::filesystem::path m_savedDir;
  CResMgr m_mgr;
};

TEST_F(ResMgrTest, CachesUnderTheLowerCasedNameInTheTypesFolder) {
  Write("data/sprite/Hero.tst");
  CRes* first = Get("Hero.TST");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(g_events.lastName, "hero.tst");
  EXPECT_EQ(first->m_lastUseTime, 1000u);
  m_clock.Advance(50);
  EXPECT_EQ(m_mgr.GetResStr(std::string("hero.tst")), first);
  EXPECT_EQ(g_events.loads, 1);
  EXPECT_EQ(first->m_lastUseTime, 1050u);
  EXPECT_EQ(first->m_lockCount, 0);
  EXPECT_EQ(m_mgr.GetResName(first), "hero.tst");

  // A double-byte character whose trail byte is a capital stays whole.
  Write("data/sprite/\x81\x41map.tst");
  EXPECT_NE(Get("\x81\x41MAP.tst"), nullptr);
  EXPECT_EQ(g_events.lastName, "\x81\x41map.tst");
}

TEST_F(ResMgrTest, MissingFileOrUnknownTypeGivesNull) {
  Write("data/readme.txt");
  Write("data/noext");
  testsupport::DebugLogCapture log;
  EXPECT_EQ(Get("absent.tst"), nullptr);
  EXPECT_TRUE(log.Contains("자원 찾기 에러 : 파일 absent.tst 은 존재하지 않습니다"));
  EXPECT_EQ(Get("readme.txt"), nullptr);
  EXPECT_EQ(Get("noext"), nullptr);
  EXPECT_EQ(Get(nullptr), nullptr);
  EXPECT_EQ(log.Lines().size(), 3u);
  EXPECT_EQ(log.Lines()[1], "Object not found in registry");
  EXPECT_EQ(g_events.loads, 0);
  // A miss is not cached: the file appears and the next request loads it.
  Write("data/sprite/absent.tst");
  EXPECT_NE(Get("absent.tst"), nullptr);
}

TEST_F(ResMgrTest, FailedLoadStaysCachedAndIsHandedOutEmpty) {
  Write("data/sprite/broken.tst", "bad");
  auto* res = dynamic_cast<CProbeRes*>(Get("broken.tst"));
  ASSERT_NE(res, nullptr);
  EXPECT_FALSE(res->m_loaded);
  EXPECT_EQ(Get("broken.tst"), res);
  EXPECT_EQ(g_events.loads, 1);
}

TEST_F(ResMgrTest, PurgeFreesOnlyUnlockedResourcesPastTheAgeLimit) {
  m_clock.Set(0xFFFFF000u);  // the age is an unsigned difference across the wrap
  for (const char* name : {"locked.tst", "old.tst", "under.tst", "fresh.tst"}) {
    Write(std::string("data/sprite/") + name);
    ASSERT_NE(Get(name), nullptr);
  }
  CRes* locked = Get("locked.tst");
  CRes* under = Get("under.tst");
  m_mgr.Lock(locked);
  EXPECT_EQ(locked->m_lockCount, 1);
  testsupport::DebugLogCapture log;
  m_mgr.UnLock(under);
  EXPECT_EQ(under->m_lockCount, -1);  // reported, never corrected
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"error unlocking resources under.tst: lock-unlock not match"});

  m_clock.Advance(kResAgeLimitMs);
  Get("fresh.tst");
  m_mgr.Purge();
  EXPECT_EQ(g_events.destroyed, 0);  // exactly the limit is not past it
  m_clock.Advance(1);
  m_mgr.Purge();
  EXPECT_EQ(m_mgr.GetResName(locked), "locked.tst");
  EXPECT_EQ(m_mgr.GetResName(under), "under.tst");  // a negative count counts as locked
  EXPECT_EQ(g_events.destroyed, 1);
  EXPECT_EQ(g_events.resets, 1);
  EXPECT_EQ(g_events.loads, 4);
  EXPECT_NE(Get("old.tst"), nullptr);
  EXPECT_EQ(g_events.loads, 5);  // loaded again

  m_mgr.UnLock(locked);
  m_mgr.Purge();
  EXPECT_EQ(m_mgr.GetResName(locked), "");  // unused since its lock
  EXPECT_NE(m_mgr.GetResName(Get("fresh.tst")), "");
}

TEST_F(ResMgrTest, FreeUnmarkedFreesWhatCameAfterTheMarkEvenWhenLocked) {
  Write("data/sprite/before.tst");
  Write("data/sprite/after.tst");
  CRes* before = Get("before.tst");
  m_mgr.MarkAll();
  CRes* after = Get("after.tst");
  m_mgr.Lock(after);
  testsupport::DebugLogCapture log;
  m_mgr.FreeUnmarked();
  EXPECT_TRUE(log.Contains("after.tst"));
  EXPECT_EQ(m_mgr.GetResName(before), "before.tst");
  EXPECT_EQ(g_events.destroyed, 1);
  EXPECT_EQ(g_events.resets, 0);  // the destructor frees the data
  m_mgr.FreeUnmarked();  // marks are never cleared
  EXPECT_EQ(m_mgr.GetResName(before), "before.tst");
}

TEST_F(ResMgrTest, ReleaseAndUnloadAll) {
  Write("data/sprite/a.tst");
  Write("data/sprite/b.tst");
  CRes* a = Get("a.tst");
  Get("b.tst");
  CProbeRes stranger;
  m_mgr.ReleaseRes(&stranger);
  EXPECT_EQ(m_mgr.GetResName(&stranger), "");
  m_mgr.ReleaseRes(a);
  EXPECT_EQ(g_events.destroyed, 1);
  EXPECT_EQ(g_events.resets, 0);

  Write("data/global.ini", "set g 1\n");
  ASSERT_TRUE(m_mgr.LoadGlobalIni("global"));
  m_mgr.UnloadAll();
  EXPECT_EQ(g_events.destroyed, 3);  // b and the prototype
  EXPECT_EQ(g_events.resets, 1);
  EXPECT_EQ(m_mgr.GetValue("g"), "");
  Write("data/c.tst");
  testsupport::DebugLogCapture log;
  EXPECT_EQ(Get("b.tst"), nullptr);  // its folder is forgotten too
  EXPECT_EQ(Get("c.tst"), nullptr);
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"자원 찾기 에러 : 파일 b.tst 은 존재하지 않습니다",
                                                   "Object not found in registry"}));
}

TEST_F(ResMgrTest, AnExtensionRegisteredTwiceKeepsItsFirstPrototype) {
  testsupport::DebugLogCapture log;
  m_mgr.RegisterType("tst", "other\\", new CProbeRes);
  EXPECT_EQ(g_events.destroyed, 1);
  EXPECT_EQ(log.Lines().size(), 1u);
  Write("data/sprite/x.tst");
  EXPECT_NE(Get("x.tst"), nullptr);
}

TEST_F(ResMgrTest, ResourceListsLoadAndSetVariables) {
  Write("data/sprite/hero.tst");
  Write("data/sprite/town.tst");
  Write("data/global.ini",
        "// the game's settings\n"
        "set night 1\r\n"
        "set a b c\n"
        "set onlyglobal yes\n"
        "set\n"
        "load x hero.tst\n");
  Write("data/town.ini",
        "set a b c\n"
        "\n"
        "  set night \"0\" // dark\n"
        "Set ignored 1\n"
        "load rsw hero.tst\n"
        "load x Town.tst\n"
        "set short\n"
        "load x\n"
        "set " + std::string(1100, 'q') + "\n"
        "set after 1\n");
  testsupport::DebugLogCapture log;
  ASSERT_TRUE(m_mgr.LoadGlobalIni("global.ini"));
  EXPECT_EQ(g_events.loads, 1);
  EXPECT_EQ(m_mgr.GetValue("a"), "");  // only a line of three tokens sets a value
  EXPECT_EQ(m_mgr.GetValue("night"), "1");
  EXPECT_FALSE(m_mgr.HasValue("night"));
  EXPECT_FALSE(m_mgr.HasValue("world"));  // global "load" lines set no world

  ASSERT_TRUE(m_mgr.LoadIni("town"));
  EXPECT_EQ(m_mgr.GetValue("a"), "b");
  EXPECT_EQ(m_mgr.GetValue("night"), "0");
  EXPECT_TRUE(m_mgr.HasValue("night"));
  EXPECT_EQ(m_mgr.GetValue("onlyglobal"), "yes");
  EXPECT_FALSE(m_mgr.HasValue("onlyglobal"));
  EXPECT_FALSE(m_mgr.HasValue("ignored"));
  EXPECT_EQ(m_mgr.GetValue("world"), "Town");  // the last "load" line wins
  EXPECT_NE(m_mgr.GetResName(Get("town.tst")), "");
  EXPECT_EQ(g_events.loads, 2);  // hero.tst came from the cache
  EXPECT_TRUE(m_mgr.HasValue("short"));
  EXPECT_EQ(m_mgr.GetValue("short"), "");
  EXPECT_TRUE(log.Contains("Error in CTokenizer :: operator []"));
  EXPECT_TRUE(log.Contains("town.ini: line 9 is longer than 1023 bytes"));
  EXPECT_FALSE(m_mgr.HasValue("after"));  // reading stops at a cut line

  m_mgr.Purge();
  EXPECT_FALSE(m_mgr.HasValue("a"));
  EXPECT_EQ(m_mgr.GetValue("night"), "1");
}

TEST_F(ResMgrTest, ListNamesAndFailures) {
  Write("data/town.ini", "set where data\n");
  Write("data/town.ini.ini", "set where twice\n");
  Write("data/short.ini", "load x ab\n");
  ASSERT_TRUE(m_mgr.LoadIni("town.ini"));
  EXPECT_EQ(m_mgr.GetValue("where"), "data");
  ASSERT_TRUE(m_mgr.LoadIni("short"));
  EXPECT_TRUE(m_mgr.HasValue("world"));
  EXPECT_EQ(m_mgr.GetValue("world"), "");  // too short to hold an extension

  m_mgr.Purge();
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(m_mgr.LoadIni("nowhere"));
  ASSERT_EQ(log.Lines().size(), 4u);
  EXPECT_EQ(log.Lines()[0], "File Open Error");
  EXPECT_EQ(log.Lines()[1], "nowhere.ini");
  EXPECT_FALSE(m_mgr.HasValue("world"));
}

TEST_F(ResMgrTest, TextResourcesHoldTheirLines) {
  Write("data/script.scr", "alpha::Init\r\nbeta::Talk\nbeta::Talk again\nlast");
  CResMgr& game = CResMgr::GetInstance();
  auto* text = dynamic_cast<CTextRes*>(game.GetRes("Script.scr"));
  ASSERT_NE(text, nullptr);
  ASSERT_EQ(text->GetCount(), 4);
  EXPECT_EQ(text->GetLine(0), "alpha::Init\r");
  EXPECT_EQ(text->GetLine(3), "last");
  EXPECT_EQ(text->FindLine("beta::Talk"), 1);
  EXPECT_EQ(text->FindLine("again"), 2);
  EXPECT_EQ(text->FindLine(""), 0);
  EXPECT_EQ(text->FindLine("gamma"), -1);
  EXPECT_EQ(text->GetLine(4), "");
  game.ReleaseRes(text);

  // A line over 999 bytes is kept cut and ends the reading.
  Write("data/long.scr", "one\n" + std::string(1200, 'z') + "\nthree\n");
  auto* cut = dynamic_cast<CTextRes*>(game.GetRes("long.scr"));
  ASSERT_NE(cut, nullptr);
  ASSERT_EQ(cut->GetCount(), 2);
  EXPECT_EQ(cut->GetLine(1), std::string(999, 'z'));
  game.ReleaseRes(cut);

  CTextRes missing;
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(missing.Load("missing.scr"));
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"파일 읽기 실패", "파일 읽기 실패"}));
}

TEST_F(ResMgrTest, FrameInitLoadsTheFramesList) {
  Write("data/global.ini", "set frametest_global g\n");
  Write("data/field1.ini", "load map field1.scr\nset frametest_flag 7\n");
  Write("data/field1.scr", "Frame::Init\n");
  CResMgr& game = CResMgr::GetInstance();
  ASSERT_TRUE(game.LoadGlobalIni("global"));
  CFrame frame;
  frame.m_name = "field1";
  frame.Init();
  EXPECT_EQ(frame.m_running, 1);
  EXPECT_EQ(game.GetValue("frametest_flag"), "7");
  EXPECT_EQ(game.GetValue("world"), "field1");
  EXPECT_EQ(game.GetValue("frametest_global"), "g");
  std::filesystem::remove(m_dir / "data/field1.scr");
  CRes* map = game.GetRes("field1.scr");  // cached by the list
  ASSERT_NE(map, nullptr);
  game.ReleaseRes(map);
  game.Purge();
  EXPECT_FALSE(game.HasValue("frametest_flag"));
}

}  // namespace
