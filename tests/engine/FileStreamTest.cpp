#include "engine/FileStream.h"

#include <gtest/gtest.h>

#include "tests/support/GameFolder.h"

namespace {

using FileStreamTest = GameFolderTest;

TEST_F(FileStreamTest, ResourceNamesBecomePathsUnderData) {
  const struct {
    const char* dir;
    const char* name;
    const char* path;
  } cases[] = {
      {"\\", "x.spr", "data/x.spr"},
      {"\\sprite\\", "x.spr", "data/sprite/x.spr"},
      {"\\sprite\\", "\\map\\a.gnd", "data/map/a.gnd"},  // a leading "\" ignores the directory
      {"\\sprite\\", "sub\\\\x.spr", "data/sprite/sub/x.spr"},
      {"\\texture\\", "sky/a.bmp", "data/texture/sky/a.bmp"},
      {"texture\\", "a.bmp", "data/texture/a.bmp"},
      {"\\\\", "x", "data/x"},
  };
  for (const auto& c : cases) {
    SetResDirectory(c.dir);
    EXPECT_EQ(BuildResourcePath(c.name), c.path) << c.dir << " " << c.name;
  }
}

TEST_F(FileStreamTest, DotFormsOfTheResourceDirectoryMeanTheBase) {
  const struct {
    const char* given;
    const char* stored;
  } cases[] = {
      {".\\sprite\\", "\\sprite\\"}, {"\\.\\sprite\\", "\\sprite\\"}, {".\\", "\\"},
      {"\\.\\", "\\"},               {"\\model\\", "\\model\\"},       {"", ""},
  };
  for (const auto& c : cases) {
    SetResDirectory(c.given);
    EXPECT_EQ(GetResDirectory(), c.stored) << c.given;
  }
}

TEST_F(FileStreamTest, OpensResourcesLooseOrPackedAndSeeksFromAnyOrigin) {
  slvtools::PackWriter pack;
  pack.AddCompressed("data/sprite/packed.spr", "0123456789");
  ASSERT_TRUE(AddPack("data.pak", pack));
  Write("data/sprite/loose.spr", "abcdef");
  SetResDirectory("\\sprite\\");

  CFileStream stream;
  ASSERT_TRUE(stream.Open("packed.spr", CFileStream::kRead));
  EXPECT_EQ(stream.GetSize(), 10);
  char buffer[4] = {};
  EXPECT_EQ(stream.Read(buffer, 0), 0);
  EXPECT_EQ(stream.Read(buffer, 3), 3);
  EXPECT_EQ(stream.Seek(2, 7), 5);  // an unknown origin counts from the current position
  EXPECT_EQ(stream.Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "5678");
  EXPECT_EQ(stream.Seek(-3, 2), 7);
  ASSERT_TRUE(stream.Open("LOOSE.SPR", CFileStream::kRead));
  EXPECT_EQ(stream.GetSize(), 6);
  stream.Close();
  EXPECT_EQ(stream.Read(buffer, 4), 0);
  EXPECT_EQ(stream.Seek(0, 0), -1);
  EXPECT_FALSE(stream.Open("missing.spr", CFileStream::kRead));
  EXPECT_FALSE(stream.HasReader());
}

TEST_F(FileStreamTest, CreatingWritesAFreshFileAndLogsAFailure) {
  Write("ScreenShot/screen00001.bmp", "an old, longer picture");
  CFileStream stream;
  ASSERT_TRUE(stream.Open("screenshot\\SCREEN00001.BMP", CFileStream::kCreate));
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_TRUE(stream.Write("new", 3));
  EXPECT_EQ(stream.GetSize(), 3);
  stream.Close();
  EXPECT_EQ(testsupport::ReadFile(m_dir / "game/ScreenShot/screen00001.bmp"), "new");

  testsupport::DebugLogCapture log;
  EXPECT_FALSE(stream.Open("nofolder\\shot.bmp", CFileStream::kCreate));
  EXPECT_TRUE(log.Contains("nofolder\\shot.bmp"));
  EXPECT_FALSE(stream.Write("x", 1));
}

TEST_F(FileStreamTest, FileExistsFindsResourcesThenPlainFiles) {
  slvtools::PackWriter pack;
  pack.AddStored("data/model/packed.rsm", "model");
  ASSERT_TRUE(AddPack("data.pak", pack));
  Write("global.ini", "plain");
  Write("data/model/loose.rsm", "model");
  m_dir.Write("outside.txt", "outside the game folder");
  SetResDirectory("\\model\\");

  const struct {
    const char* name;
    bool exists;
  } cases[] = {
      {"packed.rsm", true}, {"Loose.RSM", true}, {"global.ini", true},  // plain, relative to the folder
      {"missing.rsm", false}, {"../outside.txt", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExists(c.name), c.exists) << c.name;
  EXPECT_FALSE(FileExists(nullptr));
}

}  // namespace
