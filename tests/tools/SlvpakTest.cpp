// slvpak, run as a program.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/TestSupport.h"
#include "tools/lib/LzssEncoder.h"

namespace {

using testsupport::RunProgram;
using testsupport::TempDir;

std::string SlvpakPath() { return (testsupport::BinaryDir() / "tools" / "slvpak").string(); }

testsupport::ProgramResult Slvpak(std::vector<std::string> args) {
  args.insert(args.begin(), SlvpakPath());
  return RunProgram(args, {}, 20000);
}

class SlvpakTest : public ::testing::Test {
 protected:
  SlvpakTest() {
    m_dir.Write("src/data/sprite/hero.spr", m_sprite);
    m_dir.Write("src/data/table.txt", m_table);
    m_dir.Write("src/images/menu.bmp", "BMpicture");
  }
  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

  TempDir m_dir;
  const std::string m_sprite = std::string(3000, '\x1F') + "SPRITE";
  const std::string m_table = "1 sword 100\n2 shield 80\n";
};

TEST_F(SlvpakTest, CreatesListsAndCatsPacks) {
  ASSERT_EQ(Slvpak({"create", Path("data.pak"), "-z", "-C", Path("src"), "data"}).exitCode, 0);
  auto list = Slvpak({"list", Path("data.pak")});
  ASSERT_EQ(list.exitCode, 0) << list.output;
  std::ostringstream expected;
  expected << "1 " << slvtools::LzssEncode(m_sprite).size() << " " << m_sprite.size() << " data/sprite/hero.spr\n"
           << "1 " << slvtools::LzssEncode(m_table).size() << " " << m_table.size() << " data/table.txt\n";
  EXPECT_EQ(list.output, expected.str());
  EXPECT_EQ(Slvpak({"cat", Path("data.pak"), "DATA/SPRITE/HERO.SPR"}).output, m_sprite);

  // Stored entries; names outside "data/" are read as well.
  ASSERT_EQ(Slvpak({"create", Path("launcher.pak"), "-C", Path("src"), "images/menu.bmp", "data/table.txt"}).exitCode, 0);
  EXPECT_EQ(Slvpak({"list", Path("launcher.pak")}).output, "0 9 9 images/menu.bmp\n0 24 24 data/table.txt\n");
  EXPECT_EQ(Slvpak({"cat", Path("launcher.pak"), "images/menu.bmp"}).output, "BMpicture");
}

TEST_F(SlvpakTest, CatReadsThePackEvenWhereALooseFileOfTheNameExists) {
  ASSERT_EQ(Slvpak({"create", Path("data.pak"), "-C", Path("src"), "data"}).exitCode, 0);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(m_dir.Path() / "src");
  const auto cat = Slvpak({"cat", Path("data.pak"), "data/table.txt"});
  std::filesystem::current_path(previous);
  EXPECT_EQ(cat.output, m_table);
}

TEST_F(SlvpakTest, ReportsErrors) {
  m_dir.Write("not.pak", "just some text, not a pack");
  ASSERT_EQ(Slvpak({"create", Path("data.pak"), "-C", Path("src"), "data"}).exitCode, 0);
  const struct {
    std::vector<std::string> args;
    int exitCode;
  } cases[] = {
      {{}, 2},
      {{"create", Path("out.pak")}, 2},
      {{"create", Path("out.pak"), "-C", Path("src"), "nothing"}, 1},
      {{"create", Path("out.pak"), "-C", Path("src/data"), "../images"}, 1},
      {{"list", Path("not.pak")}, 1},
      {{"cat", Path("data.pak"), "data/none.txt"}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Slvpak(c.args).exitCode, c.exitCode) << testing::PrintToString(c.args);
}

}  // namespace
