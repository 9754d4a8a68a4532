#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using platform::File;
using platform::FindOnDisk;

TEST(FileSystem, FindsNamesWithoutRegardToAsciiCaseButDoubleByteCharactersExactly) {
  testsupport::TempDir dir;
  const std::string root = dir.Path().string() + "/";
  dir.Write("Data/Sprite/X.Spr", "x");
  // Code page 949: a lead byte and a trail byte that looks like 'A'.
  dir.Write("Data/\xB0\x41map.Txt", "map");

  const struct {
    const char* query;
    const char* found;  // null: not found
  } cases[] = {
      {"data\\sprite\\x.spr", "Data/Sprite/X.Spr"},
      {"DATA/SPRITE/X.SPR", "Data/Sprite/X.Spr"},
      {"data//sprite/./x.spr", "Data/Sprite/X.Spr"},
      {"data/map/../sprite/x.spr", "Data/Sprite/X.Spr"},  // no folder "map" needed
      {"data/\xB0\x41MAP.TXT", "Data/\xB0\x41map.Txt"},
      {"data/\xB0\x61map.txt", nullptr},  // the trail byte compares exactly
      {"data/sprite/y.spr", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindOnDisk(root + c.query), c.found ? root + c.found : "") << c.query;
  }
  File file;
  ASSERT_TRUE(file.OpenRead(root + "data\\sprite\\X.SPR"));
  EXPECT_EQ(file.Size(), 1);
  EXPECT_FALSE(file.OpenRead(root + "data\\sprite"));  // a folder is not a file
}

TEST(FileSystem, CreateTruncatesTheFileOfTheSameNameInAnExistingFolder) {
  testsupport::TempDir dir;
  const std::string root = dir.Path().string() + "/";
  dir.Write("Shots/Readme.TXT", "old content");
  File file;
  ASSERT_TRUE(file.Create(root + "shots\\README.txt"));
  EXPECT_TRUE(file.Write("new", 3));
  EXPECT_EQ(file.Seek(0, platform::SeekFrom::Begin), 0);
  char back[3];
  EXPECT_EQ(file.Read(back, 3), 3);
  file.Close();
  EXPECT_EQ(testsupport::ReadFile(dir / "Shots/Readme.TXT"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Shots"), {}), 1);
  EXPECT_FALSE(file.Create(root + "missing\\a.txt"));
}

TEST(FileSystem, RelativePathsClimbingAboveTheirStartAreFlagged) {
  const struct {
    const char* path;
    bool leaves;
  } cases[] = {
      {"data/sprite/x.spr", false}, {"data/../x", false},  {"data\\..\\..\\x", true},
      {"../x", true},               {"a/./../../x", true}, {"/abs/../../x", false},
      {"a/b/../../c/..", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::PathLeavesBase(c.path), c.leaves) << c.path;
}

TEST(FileSystem, APathTooLongForTheSystemIsRefusedNotShortened) {
  testsupport::TempDir dir;
  const std::string longName(300, 'a');
  dir.Write(longName.substr(0, 255), "a file whose name is the first 255 bytes");
  testsupport::DebugLogCapture log;
  File file;
  EXPECT_FALSE(file.OpenRead((dir / longName).string()));
  EXPECT_FALSE(file.Create((dir / longName).string()));
  EXPECT_EQ(FindOnDisk(std::string(5000, 'b')), "");
  EXPECT_TRUE(log.Contains("too long"));
}

}  // namespace
