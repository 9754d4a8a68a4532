#include "platform/FileOperations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using platform::FileOperations;
using Op = FileOperations::Op;

unsigned Mode(const fs::path& path) {
  struct stat st{};
  stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

TEST(FileOperations, CopyKeepsContentAndPermissionBitsAndReplacesTheTarget) {
  testsupport::TempDir dir;
  const std::string big(200000, 'x');
  chmod(dir.Write("prog", big + "end").c_str(), 0750);
  chmod(dir.Write("text", "new").c_str(), 0640);
  dir.Write("old", "an older and longer content");
  fs::create_symlink(dir / "prog", dir / "link");
  FileOperations files;
  ASSERT_TRUE(files.Copy((dir / "link").string(), (dir / "copy").string()));  // the link is followed
  EXPECT_EQ(testsupport::ReadFile(dir / "copy"), big + "end");
  EXPECT_EQ(Mode(dir / "copy"), 0750u);
  ASSERT_TRUE(files.Copy((dir / "text").string(), (dir / "old").string()));
  EXPECT_EQ(testsupport::ReadFile(dir / "old"), "new");
  EXPECT_EQ(Mode(dir / "old"), 0640u);

  EXPECT_FALSE(files.Copy((dir / "missing").string(), (dir / "x").string()));
  EXPECT_FALSE(files.Copy((dir / "text").string(), (dir / "no/x").string()));
  // A link at the target is not written through.
  fs::create_symlink(dir / "prog", dir / "trap");
  EXPECT_FALSE(files.Copy((dir / "text").string(), (dir / "trap").string()));
  EXPECT_EQ(testsupport::ReadFile(dir / "prog"), big + "end");
  EXPECT_FALSE(fs::exists(dir / "x"));
}

TEST(FileOperations, RegularFilesAreTheReadableOnesWithLinksFollowed) {
  testsupport::TempDir dir;
  dir.Write("file", "x");
  fs::create_directory(dir / "folder");
  fs::create_symlink(dir / "file", dir / "to-file");
  fs::create_symlink(dir / "folder", dir / "to-folder");
  fs::create_symlink(dir / "gone", dir / "dangling");
  const struct {
    const char* name;
    bool regular;
  } cases[] = {{"file", true},       {"to-file", true},   {"folder", false},
               {"to-folder", false}, {"dangling", false}, {"missing", false}};
  FileOperations files;
  for (const auto& c : cases) EXPECT_EQ(files.IsRegularFile((dir / c.name).string()), c.regular) << c.name;
  if (geteuid() != 0) {  // the superuser reads every file
    chmod((dir / "file").c_str(), 0200);
    EXPECT_FALSE(files.IsRegularFile((dir / "file").string()));
  }
}

TEST(FileOperations, RenameReplacesAnExistingNameAndRemoveDeletes) {
  testsupport::TempDir dir;
  dir.Write("new", "new");
  dir.Write("name", "old");
  FileOperations files;
  ASSERT_TRUE(files.Rename((dir / "new").string(), (dir / "name").string()));
  EXPECT_EQ(testsupport::ReadFile(dir / "name"), "new");
  EXPECT_FALSE(fs::exists(dir / "new"));
  EXPECT_FALSE(files.Rename((dir / "new").string(), (dir / "name").string()));
  EXPECT_TRUE(files.Remove((dir / "name").string()));
  EXPECT_FALSE(fs::exists(dir / "name"));
  EXPECT_FALSE(files.Remove((dir / "name").string()));
}

TEST(FileOperations, TheChosenCallOfAnOperationFailsAndLeavesNothingBehind) {
  testsupport::TempDir dir;
  dir.Write("a", std::string(1000, 'a'));
  dir.Write("b", "b");
  FileOperations files;
  std::vector<Op> seen;
  files.Observe([&](Op op, const std::string&, const std::string&) { seen.push_back(op); });
  files.FailCall(Op::Copy, 2);
  files.FailCall(Op::Rename, 1);
  files.FailCall(Op::Remove, 1);
  files.FailCall(Op::IsRegularFile, 1);
  EXPECT_TRUE(files.Copy((dir / "a").string(), (dir / "c1").string()));
  EXPECT_FALSE(files.Copy((dir / "a").string(), (dir / "c2").string()));
  EXPECT_FALSE(fs::exists(dir / "c2"));
  EXPECT_TRUE(files.Copy((dir / "a").string(), (dir / "c3").string()));
  EXPECT_FALSE(files.Rename((dir / "b").string(), (dir / "d").string()));
  EXPECT_TRUE(fs::exists(dir / "b"));
  EXPECT_FALSE(files.Remove((dir / "b").string()));
  EXPECT_TRUE(fs::exists(dir / "b"));
  EXPECT_FALSE(files.IsRegularFile((dir / "b").string()));
  EXPECT_TRUE(files.IsRegularFile((dir / "b").string()));
  EXPECT_EQ(seen, (std::vector<Op>{Op::Copy, Op::Copy, Op::Copy, Op::Rename, Op::Remove, Op::IsRegularFile,
                                   Op::IsRegularFile}));
}

}  // namespace

TEST(FileOperationsAtomic, WritesWholeOrLeavesTheTargetAlone) {
  testsupport::TempDir dir;
  const std::string target = (dir / "index.sav").string();
  platform::FileOperations files;
  ASSERT_TRUE(files.WriteAtomic(target, "first", 5));
  EXPECT_EQ(testsupport::ReadFile(target), "first");

  // A failing write (half written, as on a full disk) keeps the old file.
  files.FailCall(platform::FileOperations::Op::WriteAtomic, 2);
  EXPECT_FALSE(files.WriteAtomic(target, "second!", 7));
  EXPECT_EQ(testsupport::ReadFile(target), "first");
  EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
  EXPECT_FALSE(files.WriteAtomic((dir / "no" / "such.sav").string(), "x", 1));

  // From the k-th call on, every kind fails.
  const std::string folder = (dir / "Save").string();
  files.FailCall(platform::FileOperations::Op::WriteAtomic, 0);
  files.FailFrom(2);
  EXPECT_TRUE(files.MakeFolder(folder));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_FALSE(files.Remove(target));
  EXPECT_FALSE(files.WriteAtomic(target, "third", 5));
  EXPECT_EQ(testsupport::ReadFile(target), "first");
  files.FailFrom(0);
  EXPECT_TRUE(files.WriteAtomic(target, "third", 5));
  EXPECT_EQ(testsupport::ReadFile(target), "third");
}
