#include "session/SaveList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

// What a save ended half-way leaves goes when a whole list is read; the
// player's own files in the folder stay.
TEST_F(SaveListTest, StraysOfUnfinishedSavesGoWhenAWholeListIsRead) {
  for (int32_t time : {10, 20}) {
    session.playTime = time;
    ASSERT_TRUE(SaveSlot(m_files, true));
  }
  const std::vector<std::string> strays = {"30.sav", "30.srs", "10.sav.tmp", "40.srs.tmp", "index.sav.tmp"};
  const std::vector<std::string> kept = {"notes.txt", "old.tmp", "007.sav", "x30.sav", "99999999999.sav"};
  const auto place = [&] {
    for (const auto& names : {strays, kept}) {
      for (const std::string& name : names) m_dir.Write("game/Save/" + name, "x");
    }
  };
  const auto present = [&](const std::vector<std::string>& names) {
    return std::all_of(names.begin(), names.end(), [&](const std::string& n) { return fs::exists(SaveDir() / n); });
  };
  const std::string index = testsupport::ReadFile(SaveDir() / "index.sav");

  // An index that does not hold what it lists, or none, decides nothing.
  place();
  std::string damaged = index;
  damaged[0] = 3;
  m_dir.Write("game/Save/index.sav", damaged);
  EXPECT_EQ(Index().size(), 2u);
  fs::remove(SaveDir() / "index.sav");
  EXPECT_TRUE(Index().empty());
  EXPECT_TRUE(present(strays));

  m_dir.Write("game/Save/index.sav", index);
  EXPECT_EQ(Index().size(), 2u);
  for (const std::string& name : strays) EXPECT_FALSE(fs::exists(SaveDir() / name)) << name;
  EXPECT_TRUE(present(kept));
  EXPECT_TRUE(Exists(10, ".sav") && Exists(10, ".srs") && Exists(20, ".sav") && Exists(20, ".srs"));
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
