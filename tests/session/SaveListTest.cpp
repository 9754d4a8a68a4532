#include "session/SaveList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "engine/AppShell.h"
#include "render/PixelRC.h"
#include "session/SaveFile.h"
#include "tests/session/SessionFixture.h"

namespace {

namespace fs = std::filesystem;

class SaveListTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    fs::create_directories(m_dir / "game" / "data");
    m_oldDataPath = g_dataPath;
    g_dataPath = (m_dir / "game").string() + "\\data\\";
    m_rc.m_thumbnailRows.assign(180, std::vector<uint16_t>(220, 0x1234));
  }
  void TearDown() override { g_dataPath = m_oldDataPath; }

  fs::path SaveDir() const { return m_dir / "game" / "Save"; }
  bool Exists(int n, const char* ext) const { return fs::exists(SaveDir() / (std::to_string(n) + ext)); }

  // A list as the screens use it: read, act, write the index.
  bool SaveSlot(platform::FileOperations& files, bool isNew, int select = -1) {
    CSaveList list(files);
    list.ReadIndex();
    list.Select(select);
    return list.Save(&m_rc, isNew) && list.WriteIndex() == 1;
  }
  std::vector<SaveSlotInfo> Index() {
    CSaveList list;
    list.ReadIndex();
    return list.Slots();
  }
  // Every listed slot loads.
  void ExpectAllLoad() {
    const auto slots = Index();
    for (size_t i = 0; i < slots.size(); ++i) {
      CSaveList list;
      list.ReadIndex();
      list.Select(static_cast<int>(i));
      EXPECT_TRUE(list.Load()) << "slot " << i;
    }
  }

  CPixelRC m_rc;
  std::string m_oldDataPath;
  platform::FileOperations m_files;
};

TEST_F(SaveListTest, NewOverwriteDeleteAndOrder) {
  session.placeName = "village";
  session.playTime = 100;
  session.gold = 55;
  ASSERT_TRUE(SaveSlot(m_files, true));
  session.placeName = "a place name longer than twenty bytes";
  session.playTime = 200;
  ASSERT_TRUE(SaveSlot(m_files, true));
  auto slots = Index();
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].fileNumber, 200);  // newest first
  EXPECT_EQ(slots[1].placeName, "village");
  EXPECT_EQ(slots[1].gold, 55);
  EXPECT_EQ(slots[0].partyCount, 3);
  EXPECT_EQ(slots[0].partyIds[1], 2);
  EXPECT_EQ(std::string(slots[0].placeHead.data(), 20), "a place name longer ");
  EXPECT_TRUE(Exists(100, ".srs"));
  EXPECT_EQ(fs::file_size(SaveDir() / "100.srs"), 118800u);

  // Overwrite the older slot: a new number, the old files gone with the index.
  session.placeName = "castle";
  session.playTime = 300;
  ASSERT_TRUE(SaveSlot(m_files, false, 1));
  slots = Index();
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[1].placeName, "castle");
  EXPECT_EQ(slots[1].fileNumber, 300);
  EXPECT_FALSE(Exists(100, ".sav"));
  EXPECT_FALSE(Exists(100, ".srs"));
  EXPECT_EQ(session.lastSlotIndex, 1);

  CSaveList list;
  list.ReadIndex();
  list.Select(0);
  list.Delete();
  EXPECT_EQ(list.Selected(), -1);
  ASSERT_EQ(list.WriteIndex(), 1);
  EXPECT_FALSE(Exists(200, ".sav"));
  ASSERT_EQ(Index().size(), 1u);
  list.Select(0);
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(session.placeName, "castle");
}

// What a member's record shows a player: every attribute and its sources.
std::vector<int32_t> Attributes(const PlayerData& p) {
  std::vector<int32_t> v = {p.lvl, p.exp, p.capacity, p.hp, p.maxhp, p.shp, p.maxshp, p.stateid};
  for (int k = 0; k < PlayerData::kStatCount; ++k) v.push_back(p.Stat(k));
  for (const auto* group : {&p.levelStats, &p.statBonus, &p.extraStats, &p.battleStats, &p.rates}) {
    v.insert(v.end(), group->begin(), group->end());
  }
  const auto worn = WornSlotItems(p);
  v.insert(v.end(), worn.begin(), worn.end());
  v.insert(v.end(), p.magicFlags.begin(), p.magicFlags.end());
  return v;
}

// A new game's members at their starting levels (capacity as the data file
// gives it), one raised by a battle's experience, saved at a save stone and
// loaded from the title.
TEST_F(SaveListTest, ALoadAfterALevelUpKeepsTheCapacityAndEveryAttribute) {
  for (int i = 0; i < 99; ++i) {
    session.nextlevel[static_cast<size_t>(i)] = 100;
    session.hpmax[static_cast<size_t>(i)] = 40 + 5 * i;
  }
  for (int n = 0; n < session.partyCount; ++n) {
    PlayerData& p = Member(n);
    p.capacity = p.baseCapacity = 12 + 7 * n;
    p.exp = 250, p.lvl = 3, p.hp = p.maxhp = 50;
    p.statBase = {7, 6, 17, 10, 8};
    p.statStart = {1, 2, 1, 1, 3};
    p.statInterval = {2, 1, 1, 2, 1};
    p.statGrowth = {1.0f, 0.8f, 1.4f, 0.5f, 0.4f};
    p.statMax = {99, 99, 99, 99, 99};
    p.statBonus = {n, 0, 1, 0, 2};
    p.UpdateLevelStats();
    session.RefreshMember(n);
  }
  Member(0).exp = 750;
  Member(0).UpdateLevel();  // as the battle's result screen pays it out
  ASSERT_EQ(Member(0).lvl, 8);
  ASSERT_EQ(Member(0).capacity, 19);
  session.PutOnItem(kSword, Member(1));
  ASSERT_TRUE(SaveSlot(m_files, true));
  std::vector<std::vector<int32_t>> saved;
  for (int n = 0; n < session.partyCount; ++n) saved.push_back(Attributes(Member(n)));
  const int capacity = session.GetPartyCapacity();
  ASSERT_EQ(capacity, 19 + 21 + 28);  // each member's level counts once the save has settled it

  // The title's session: the data file's capacities, nothing derived yet.
  for (PlayerData& p : session.players) {
    p.capacity = p.baseCapacity;
    p.levelStats = {};
    p.strength = p.intelligence = 0;
  }
  session.partyIds = {3, 2, 0};
  CSaveList list;
  list.ReadIndex();
  list.Select(0);
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(session.GetPartyCapacity(), capacity);
  EXPECT_EQ(session.partyIds[0], 0);
  for (int n = 0; n < session.partyCount; ++n) EXPECT_EQ(Attributes(Member(n)), saved[static_cast<size_t>(n)]) << n;
}

TEST_F(SaveListTest, TwoSavesInOneSecondKeepTheirOwnFiles) {
  session.playTime = 50;
  ASSERT_TRUE(SaveSlot(m_files, true));
  session.gold = 9;
  ASSERT_TRUE(SaveSlot(m_files, true));
  // Overwriting the first does not touch the second's files.
  ASSERT_TRUE(SaveSlot(m_files, false, 1));
  const auto slots = Index();
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].fileNumber, 51);
  EXPECT_EQ(slots[1].fileNumber, 52);
  EXPECT_TRUE(Exists(51, ".sav"));
  EXPECT_FALSE(Exists(50, ".sav"));
  ExpectAllLoad();
}

TEST_F(SaveListTest, NothingSelected) {
  ASSERT_TRUE(SaveSlot(m_files, true));
  CSaveList list;
  list.ReadIndex();
  testsupport::DebugLogCapture log;
  EXPECT_FALSE(list.Save(&m_rc, false));
  EXPECT_TRUE(log.Contains("인덱스에 세이브파일명을 찾을 수 없었음"));
  list.Delete();
  EXPECT_FALSE(list.Load());
  list.Select(5);
  EXPECT_FALSE(list.Load());
  EXPECT_EQ(list.Slots().size(), 1u);

  // A listed slot whose file is gone.
  fs::remove(SaveDir() / (std::to_string(list.Slots()[0].fileNumber) + ".sav"));
  list.Select(0);
  EXPECT_FALSE(list.Load());
  EXPECT_TRUE(log.Contains("잘못된 형식의 세이브 파일입니다"));
}

TEST_F(SaveListTest, ACrashOrFullDiskNeverLosesTheLastSave) {
  enum Action { kNew, kOverwrite, kDelete };
  for (Action action : {kNew, kOverwrite, kDelete}) {
    for (int k = 1; k <= 7; ++k) {
      SCOPED_TRACE(testing::Message() << "action " << action << " fails from call " << k);
      fs::remove_all(SaveDir());
      session.playTime = 10;
      session.gold = 1;
      ASSERT_TRUE(SaveSlot(m_files, true));
      const std::string before = testsupport::ReadFile(SaveDir() / "10.sav");

      platform::FileOperations failing;
      failing.FailFrom(k);
      session.gold = 2;
      session.playTime = 10;
      CSaveList list(failing);
      list.ReadIndex();
      list.Select(0);
      if (action == kDelete) {
        list.Delete();
      } else {
        list.Save(&m_rc, action == kNew);
      }
      const bool indexWritten = list.WriteIndex() == 1;

      const auto slots = Index();
      ExpectAllLoad();
      const bool stillListed = std::any_of(slots.begin(), slots.end(), [](const SaveSlotInfo& s) { return s.fileNumber == 10; });
      if (stillListed) {
        EXPECT_EQ(testsupport::ReadFile(SaveDir() / "10.sav"), before);
      }
      // The old save goes only when the index that drops it was written.
      EXPECT_EQ(stillListed, action == kNew || !indexWritten);
      for (const auto& entry : fs::directory_iterator(SaveDir())) EXPECT_NE(entry.path().extension(), ".tmp");
    }
  }
}

// A damaged index lists one file number twice: neither deleting nor
// overwriting one record costs the other its files.
TEST_F(SaveListTest, AFileNumberTwoRecordsShareKeepsItsFiles) {
  session.playTime = 10;
  ASSERT_TRUE(SaveSlot(m_files, true));
  CSaveList list;
  list.ReadIndex();
  std::vector<SaveSlotInfo> twice = {list.Slots()[0], list.Slots()[0]};
  const std::vector<uint8_t> bytes = CSaveList::EncodeIndex(twice);
  ASSERT_TRUE(m_files.WriteAtomic((SaveDir() / "index.sav").string(), bytes.data(), bytes.size()));

  for (bool overwrite : {true, false}) {
    CSaveList shared;
    ASSERT_EQ(shared.ReadIndex(), 2);
    shared.Select(0);
    session.playTime = 20;
    if (overwrite) {
      ASSERT_TRUE(shared.Save(&m_rc, false));
    } else {
      shared.Delete();
    }
    ASSERT_EQ(shared.WriteIndex(), 1);
    EXPECT_TRUE(Exists(10, ".sav")) << overwrite;
    EXPECT_TRUE(Exists(10, ".srs")) << overwrite;
    ExpectAllLoad();
    ASSERT_TRUE(m_files.WriteAtomic((SaveDir() / "index.sav").string(), bytes.data(), bytes.size()));
  }
}

// Reading the list clears the temporaries unfinished saves left, whatever
// state the index is in, and nothing else: not even slot files it does not list.
TEST_F(SaveListTest, ReadingTheListClearsOnlyTemporaries) {
  for (int32_t time : {10, 20}) {
    session.playTime = time;
    ASSERT_TRUE(SaveSlot(m_files, true));
  }
  const std::vector<std::string> temporaries = {"10.sav.tmp", "40.srs.tmp", "index.sav.tmp"};
  const std::vector<std::string> kept = {"30.sav",     "30.srs",     "notes.txt", "old.tmp", "007.sav",
                                         "x30.sav",    "7.SAV.tmp",  "99999999999.sav.tmp"};
  const std::string index = testsupport::ReadFile(SaveDir() / "index.sav");
  std::string damaged = index;
  damaged[0] = 3;
  for (const std::string& state : {std::string("missing"), damaged, index}) {
    SCOPED_TRACE(state == "missing" ? state : std::to_string(state[0]) + " records listed");
    for (const auto& names : {temporaries, kept}) {
      for (const std::string& name : names) m_dir.Write("game/Save/" + name, "x");
    }
    if (state == "missing") {
      fs::remove(SaveDir() / "index.sav");
      EXPECT_TRUE(Index().empty());
    } else {
      m_dir.Write("game/Save/index.sav", state);
      EXPECT_EQ(Index().size(), 2u);
    }
    for (const std::string& name : temporaries) EXPECT_FALSE(fs::exists(SaveDir() / name)) << name;
    for (const std::string& name : kept) EXPECT_EQ(testsupport::ReadFile(SaveDir() / name), "x") << name;
    EXPECT_TRUE(Exists(10, ".sav") && Exists(10, ".srs") && Exists(20, ".sav") && Exists(20, ".srs"));
  }
  ExpectAllLoad();
}

// Whatever happened to the index or the folder, reading the list, saving
// and reading it again keeps every slot file that was on disk, byte for
// byte, and every slot listed loads (a record naming no file fails as a
// missing save does).
TEST_F(SaveListTest, NoSaveOnDiskIsLostWhateverTheIndexSays) {
  using Step = std::function<void()>;
  const auto indexBytes = [this] { return testsupport::ReadFile(SaveDir() / "index.sav"); };
  const auto rewrite = [this](const std::string& bytes) { m_dir.Write("game/Save/index.sav", bytes); };
  const auto setCount = [=, this](int32_t count) {
    return [=] {
      std::string bytes = indexBytes();
      std::memcpy(bytes.data(), &count, 4);
      rewrite(bytes);
    };
  };
  const auto copySlot = [this](int from, int to) {
    for (const char* ext : {".sav", ".srs"}) {
      fs::copy_file(SaveDir() / (std::to_string(from) + ext), SaveDir() / (std::to_string(to) + ext));
    }
  };
  struct Case {
    const char* name;
    Step damage;            // after saves 100 and 200
    Step meanwhile;         // between reading the list and saving
    const char* folder;     // where the slots are on disk afterwards
    int32_t dangling = -1;  // a listed number whose files never existed
  };
  const std::vector<Case> cases = {
      {"index missing", [this] { fs::remove(SaveDir() / "index.sav"); }, {}, "game/Save"},
      {"index empty", [=, this] { rewrite(""); }, {}, "game/Save"},
      {"index cut mid-record", [=, this] { rewrite(indexBytes().substr(0, 154)); }, {}, "game/Save"},
      {"count 1", setCount(1), {}, "game/Save"},
      {"count -1", setCount(-1), {}, "game/Save"},
      {"a record's file number changed",
       [=, this] {
         std::string bytes = indexBytes();
         bytes[4 + 92] = 9;  // the newest record, 200, names 9
         rewrite(bytes);
       },
       {}, "game/Save", 9},
      {"unlisted saves beside listed ones",
       [=, this] {
         copySlot(100, 101);
         copySlot(200, 150);
       },
       {}, "game/Save"},
      {"another copy's newer slot", {},
       [this] {
         session.playTime = 300;
         ASSERT_TRUE(SaveSlot(m_files, true));
       },
       "game/Save"},
      {"a shared folder's 42.sav",
       [this] {
         fs::rename(SaveDir(), m_dir / "shared");
         fs::create_directory_symlink(m_dir / "shared", SaveDir());
         m_dir.Write("shared/42.sav", "another program's");
         m_dir.Write("shared/42.srs", "another program's");
       },
       {}, "shared"},
      {"the Save folder in upper case",
       [this] {
         fs::rename(SaveDir() / "100.sav", SaveDir() / "100.SAV");
         fs::rename(SaveDir() / "100.srs", SaveDir() / "100.SRS");
         fs::rename(SaveDir(), m_dir / "game" / "SAVE");
       },
       {}, "game/SAVE"},
  };
  const auto slotFiles = [](const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      const std::string ext = entry.path().extension().string();
      if (ext.size() == 4 && std::isdigit(static_cast<unsigned char>(name[0])) && ext != ".tmp") {
        files[name] = testsupport::ReadFile(entry.path());
      }
    }
    return files;
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* folder : {"game/Save", "game/SAVE", "shared"}) fs::remove_all(m_dir / folder);
    for (int32_t time : {100, 200}) {
      session.playTime = time;
      ASSERT_TRUE(SaveSlot(m_files, true));
    }
    if (c.damage) c.damage();
    const fs::path folder = m_dir / c.folder;

    CSaveList list;  // the save screen opens
    list.ReadIndex();
    if (c.meanwhile) c.meanwhile();
    const std::map<std::string, std::string> before = slotFiles(folder);
    ASSERT_GE(before.size(), 4u);

    session.playTime = 100;  // the number of a save on disk, listed or not
    session.gold = 4321;
    ASSERT_TRUE(list.Save(&m_rc, true));
    ASSERT_EQ(list.WriteIndex(), 1);
    const int32_t made = list.Slots()[0].fileNumber;
    EXPECT_EQ(before.count(std::to_string(made) + ".sav"), 0u) << made;

    const std::vector<SaveSlotInfo> shown = Index();  // the screen's re-read
    const std::map<std::string, std::string> after = slotFiles(folder);
    for (const auto& [name, bytes] : before) {
      ASSERT_EQ(after.count(name), 1u) << name;
      EXPECT_TRUE(after.at(name) == bytes) << name;
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0].fileNumber, made);
    for (size_t i = 0; i < shown.size(); ++i) {
      CSaveList reader;
      reader.ReadIndex();
      reader.Select(static_cast<int>(i));
      session.gold = 0;
      EXPECT_EQ(reader.Load(), shown[i].fileNumber != c.dangling) << "slot " << shown[i].fileNumber;
    }
    CSaveList newest;
    newest.ReadIndex();
    newest.Select(0);
    ASSERT_TRUE(newest.Load());
    EXPECT_EQ(session.gold, 4321);
    EXPECT_EQ(fs::exists(m_dir / "game" / "Save"), std::string(c.folder) != "game/SAVE");
  }
}

// A folder spelt "SAVE" is the one every operation uses: saves land in
// it, and overwrites and deletes remove a slot's files whatever their case.
TEST_F(SaveListTest, AnUpperCaseFolderServesEveryOperation) {
  fs::create_directories(m_dir / "game" / "SAVE");
  for (int32_t time : {10, 20}) {
    session.playTime = time;
    ASSERT_TRUE(SaveSlot(m_files, true));
  }
  const fs::path folder = m_dir / "game" / "SAVE";
  fs::rename(folder / "10.sav", folder / "10.SAV");
  fs::rename(folder / "20.srs", folder / "20.Srs");
  session.playTime = 30;
  ASSERT_TRUE(SaveSlot(m_files, false, 1));  // over 10
  EXPECT_FALSE(fs::exists(folder / "10.SAV"));
  EXPECT_FALSE(fs::exists(folder / "10.srs"));
  CSaveList list;
  list.ReadIndex();
  list.Select(0);  // 20
  list.Delete();
  ASSERT_EQ(list.WriteIndex(), 1);
  EXPECT_FALSE(fs::exists(folder / "20.sav"));
  EXPECT_FALSE(fs::exists(folder / "20.Srs"));
  EXPECT_TRUE(fs::exists(folder / "30.sav") && fs::exists(folder / "30.srs"));
  EXPECT_FALSE(fs::exists(m_dir / "game" / "Save"));
  ASSERT_EQ(Index().size(), 1u);
  ExpectAllLoad();
  EXPECT_EQ(CSaveList::ThumbnailPath(30), (folder / "30.srs").string());
}

// Play times at the top of the int range: the search goes on from 0 and
// passes every number a file on disk already has.
TEST_F(SaveListTest, AFreeNumberAtTheTopOfTheRangeWrapsToZero) {
  m_dir.Write("game/Save/2147483647.sav", "unlisted");
  m_dir.Write("game/Save/0.SRS", "unlisted");
  session.playTime = INT32_MAX;
  ASSERT_TRUE(SaveSlot(m_files, true));
  ASSERT_TRUE(SaveSlot(m_files, true));
  const auto slots = Index();
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[1].fileNumber, 1);
  EXPECT_EQ(slots[0].fileNumber, 2);
  EXPECT_TRUE(testsupport::ReadFile(SaveDir() / "2147483647.sav") == "unlisted");
  EXPECT_TRUE(testsupport::ReadFile(SaveDir() / "0.SRS") == "unlisted");
  ExpectAllLoad();
}

TEST_F(SaveListTest, IndexIsReadWithinItsBytes) {
  SaveSlotInfo info;
  info.placeName = "x";
  info.partyCount = 3;
  info.fileNumber = 7;
  std::vector<uint8_t> bytes = CSaveList::EncodeIndex({info, info});
  ASSERT_EQ(bytes.size(), 4u + 200u);
  bytes[0] = 9;  // more records than the file holds
  bytes[4 + 88] = 200;  // a party too large
  for (int i = 0; i < 40; ++i) bytes[4 + static_cast<size_t>(i)] = 'a';  // no terminator
  const auto slots = CSaveList::DecodeIndex(bytes);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].partyCount, 6);
  EXPECT_EQ(slots[0].placeName, std::string(39, 'a'));
  EXPECT_EQ(slots[1].fileNumber, 7);
  bytes[3] = 0x80;  // negative
  EXPECT_TRUE(CSaveList::DecodeIndex(bytes).empty());
  EXPECT_TRUE(CSaveList::DecodeIndex({1, 2}).empty());
}

}  // namespace
