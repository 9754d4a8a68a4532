#include <gtest/gtest.h>

#include "launcher/LauncherFiles.h"
#include "launcher/MemoryStream.h"
#include "tests/launcher/LauncherFolder.h"
#include "tools/lib/PackWriter.h"

namespace {

using launchertest::LauncherFolderTest;

std::string ReadAll(cFile& stream) {
  std::string out(static_cast<size_t>(stream.GetSize()), '\0');
  out.resize(static_cast<size_t>(stream.Read(out.data(), stream.GetSize())));
  return out;
}

TEST(MemoryStream, SeeksAreClampedToTheStream) {
  struct Case {
    int32_t start, offset;
    int origin;
    int32_t expected;
  };
  const Case cases[] = {
      {0, -9, kFileEnd, 91},
      {0, 40, kFileBegin, 40},
      {50, 10, kFileCurrent, 60},
      {0, 150, kFileBegin, 100},
      {10, -500, kFileCurrent, 0},
      {0, 5, kFileEnd, 100},
      {30, 7, 3, 30},  // another origin changes nothing
  };
  for (const Case& c : cases) {
    MemoryStream stream(std::string(100, 'x'));
    stream.Seek(c.start, kFileBegin);
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
    EXPECT_EQ(stream.Tell(), c.expected);
  }
}

TEST(MemoryStream, ReadsWhatIsLeftAndThenNothing) {
  MemoryStream stream(std::string("abcdef"));
  stream.Seek(-2, kFileEnd);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(std::string(buffer, 2), "ef");
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_EQ(stream.GetChar(), -1);
  stream.Seek(0, kFileBegin);
  EXPECT_EQ(stream.GetChar(), 'a');
  EXPECT_EQ(stream.Read(buffer, -3), 0);
}

class OpenStreamTest : public LauncherFolderTest {
 protected:
  // A program file with the launcher's pack appended, registered as the
  // launcher registers its own.
  void RegisterAppendedPack() {
    slvtools::PackWriter pack;
    pack.AddRaw("images", 2, "", 0);
    pack.AddCompressed("images/normal.bmp", "packed normal");
    pack.AddStored("Launcher.ini", "packed script");
    const auto program = m_dir.Write("selvarin", pack.Build(std::string(5000, '\x7f')));
    std::unique_ptr<cFile> own = OpenStream(program.string(), -1);
    ASSERT_NE(own, nullptr);
    ASSERT_NE(dynamic_cast<MemoryStream*>(own.get()), nullptr);
    ASSERT_TRUE(ReadPackDirectory(own, program.string()));
  }
};

TEST_F(OpenStreamTest, ALooseFileWinsOverThePack) {
  RegisterAppendedPack();
  std::unique_ptr<cFile> loose = OpenStream("images/normal.bmp", kStreamBufferSize);
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(ReadAll(*loose), slvtools::WriteBmp24(launchertest::Picture(0)));
  std::filesystem::remove("images/normal.bmp");
  std::unique_ptr<cFile> packed = OpenStream("images/normal.bmp", kStreamBufferSize);
  ASSERT_NE(packed, nullptr);
  EXPECT_EQ(ReadAll(*packed), "packed normal");
}

TEST_F(OpenStreamTest, PackNamesAreFoundWithoutRegardToCaseAndFoldersOpenNothing) {
  RegisterAppendedPack();
  std::unique_ptr<cFile> script = OpenStream("launcher.INI", kStreamBufferSize);
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(ReadAll(*script), "packed script");
  EXPECT_EQ(OpenStream("images", kStreamBufferSize), nullptr);
  EXPECT_EQ(OpenStream("images/missing.bmp", kStreamBufferSize), nullptr);
  EXPECT_EQ(OpenStream("missing", -1), nullptr);
  ReleaseStream(script);
  EXPECT_EQ(script, nullptr);
  ReleaseStream(script);  // a null stream is ignored
}

TEST_F(OpenStreamTest, AWholeFileStreamHoldsAPackedEntryDecoded) {
  RegisterAppendedPack();
  std::filesystem::remove("images/normal.bmp");
  std::unique_ptr<cFile> whole = OpenStream("images/normal.bmp", -1);
  ASSERT_NE(dynamic_cast<MemoryStream*>(whole.get()), nullptr);
  EXPECT_EQ(ReadAll(*whole), "packed normal");
}

}  // namespace
