// slvinspect, run as a program: every kind once on the sample game's pack
// (or, for kinds the sample has no file of yet, on a small pack of our
// writers' files), and once on a file its loader refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextEncoding.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaveFixture.h"
#include "tools/lib/MacroWriter.h"
#include "tools/lib/PackWriter.h"
#include "tools/lib/RsmWriter.h"
#include "tools/lib/RsxWriter.h"
#include "tools/lib/TextureImages.h"

namespace {

using testsupport::RunProgram;
using testsupport::TempDir;

testsupport::ProgramResult Slvinspect(std::vector<std::string> args) {
  args.insert(args.begin(), (testsupport::BinaryDir() / "tools" / "slvinspect").string());
  return RunProgram(args, {}, 60000);
}

std::string SamplePack() { return (testsupport::BinaryDir() / "game" / "data.pak").string(); }

std::string Utf8(const std::string& cp949) { return platform::Cp949ToUtf8(cp949); }

// A model with one textured triangle, its texture beside it in the pack.
std::string MillModel() {
  slvtools::RsmWriter writer;
  writer.SetHeader(30, 1);
  const int32_t wall = writer.AddTexture("wall.bmp");
  writer.SetMainNode("mill");
  slvtools::RsmNode node;
  node.name = "mill";
  node.textures = {wall};
  node.vertices = {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}};
  node.texVertices = {{0xFFFFFFFF, 0, 0}, {0xFFFFFFFF, 1, 0}, {0xFFFFFFFF, 0, 1}};
  ModelFace face;
  face.vertex[1] = face.texVertex[1] = 1;
  face.vertex[2] = face.texVertex[2] = 2;
  node.faces = {face};
  node.rotKeys = {{0, Quat{}}, {30, Quat{0, 1, 0, 0}}};
  writer.AddNode(node);
  writer.AddBox({{1, 2, 3}, {0, -2, 0}, {0, 90, 0}, 1});
  return writer.Build();
}

// A flag of one triangle over two frames.
std::string FlagModel() {
  slvtools::RsxWriter writer;
  writer.SetHeader(1, 2, 7);
  writer.SetMainNode("cloth");
  slvtools::RsxNode node;
  node.name = "cloth";
  node.frames = {{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, {{0, 0, 1}, {2, 0, 1}, {0, 2, 1}}};
  node.texVertices = {{{0xFFFFFFFF, 0, 0}, {0xFFFFFFFF, 1, 0}, {0xFFFFFFFF, 0, 1}}};
  ModelFace face;
  face.vertex[1] = face.texVertex[1] = 1;
  face.vertex[2] = face.texVertex[2] = 2;
  node.faces = {face};
  writer.AddNode(node);
  return writer.Build();
}

// The kinds the sample game has no file of yet.
void WriteExtraPack(const TempDir& dir) {
  slvtools::PackWriter pack;
  pack.AddStored("data/wav/chime.wav",
                 testsupport::PcmWaveFile(testsupport::ConstantSamples(100, 1, 1000), 1, 22050));
  pack.AddCompressed("data/model/mill.rma", "#rsxname mill.rsx\n#action 2 0 10 5\n#shadowzoom 0.5\n");
  slvtools::RsaTrack track{"hero", 3, 4, "walk", {{20, 1, "go", {}}, {10, 2, "stop", {}}}};
  pack.AddStored("data/intro.rsa", slvtools::BuildRsa(1, 1, 90, {track}));
  pack.AddCompressed("data/model/mill.rsm", MillModel());
  pack.AddStored("data/model/flag.rsx", FlagModel());
  pack.AddStored("data/texture/wall.bmp", slvtools::WriteBmp24(slvtools::RgbaImage(8, 8, slvtools::Rgba{1, 2, 3})));
  ASSERT_TRUE(pack.WriteFile((dir / "extra.pak").string()));
}

struct KindCase {
  const char* kind;
  std::string file;  // "sample:NAME" and "extra:NAME" are entries of the two packs
  std::vector<std::string> options;
  std::vector<std::string> expected;  // fragments of the JSON
  std::string badBytes;               // a file the loader refuses; none: a missing file
  std::string badText;                // the loader's text about it
};

const std::vector<KindCase>& Cases() {
  static const std::vector<KindCase> cases = {
      {"pak", "", {}, {"\"name\": \"data/village.rsw\"", "\"kind\": 1,"}, "too short", "Pack "},
      {"spr", "sample:data/sprite/shadow.spr", {}, {"\"width\": 20,\n      \"height\": 8,"}, "SP\x01", "Spr ::"},
      {"act", "sample:data/sprite/shadow.act", {}, {"\"color\": [255, 255, 255, 60]"}, "AC", "Act ::"},
      {"bmp", "sample:data/texture/dirt.bmp", {}, {"\"width\": 32,", "\"format\": \"ARGB1555\"", "\"hasTransparency\": 0"},
       "BM\x10", "BMP header"},
      {"tga", "sample:data/texture/logo01.tga", {}, {"\"width\": 256,", "\"format\": \"ARGB4444\""}, "\x01\x02", ""},
      {"wav", "extra:data/wav/chime.wav", {}, {"\"channels\": 1,", "\"samplesPerSec\": 22050,", "\"frames\": 100"},
       std::string("RIFF\x04\x00\x00\x00WAVE", 12), "Wave :: no fmt chunk"},
      {"scr", "sample:data/village.scr", {"--tokens"}, {"\"Frame::Init\"", "[\"move\", \"-38\", \"96\"]"}, "",
       Utf8("파일 읽기 실패")},
      {"ini", "sample:data/logo.ini", {}, {"\"cache\": [\"halvex.bmp\", \"korvane.bmp\", \"notice.bmp\", \"tavrine.bmp\"]"},
       "", "File Open Error"},
      {"gnd", "sample:data/sample.gnd", {},
       {"\"width\": 12,", "\"height\": 10,", "\"textureNames\": [\"grass.bmp\", \"dirt.bmp\", \"sand.bmp\", \"rock.bmp\"]",
        "\"texture\": \"rock.bmp\""},
       std::string("\x01\x00\x00\x00\x05\x00\x00\x00\x05\x00\x00\x00", 12), "C3dGround::Load"},
      {"gat", "sample:data/sample.gat", {}, {"\"majorVersion\": 1,", "\"width\": 24,", "\"height\": 20,"}, "QZAX",
       "GAT"},
      {"rsw", "sample:data/village.rsw", {},
       {"\"groundName\": \"village.gnd\"", "\"bounds\": [-160, 160, -160, 160]", "\"name\": \"elder\"",
        "\"position\": [20, 0, 60]"},
       "GRSW", "rsw"},
      {"rma", "extra:data/model/mill.rma", {},
       {"\"modelNames\": [\"mill.rsx\"]", "\"startFrame\": -1", "\"eventFrames\": [5]", "\"shadowZoom\": 0.5"}, "",
       "CRmaRes"},
      {"rsa", "extra:data/intro.rsa", {},
       {"\"headerValue\": 90,", "\"name2\": \"walk\"", "\"key\": 10,\n          \"value\": 2,\n          \"text\": \"stop\""},
       "QZSC\x02\x00", "CMacroRes"},
      {"rsm", "extra:data/model/mill.rsm", {},
       {"\"animLen\": 30,", "\"textures\": [\"wall.bmp\"]", "\"vertices\": [\n", "\"flag\": 1"}, "GRSM\x01\x04", "rsm"},
      {"rsx", "extra:data/model/flag.rsx", {}, {"\"numFrames\": 2,", "\"headerValue\": 7,", "[2, 0, 1]"}, "GRSX", "rsx"},
      {"avi", "", {}, {"\"width\": 320,", "\"height\": 240,", "\"frameCount\": 60,", "\"hasAudio\": true"},
       "RIFF....AVI LIST", "video reader"},
      {"item", "sample:data/diary/item.txt", {},
       {"\"name\": \"" + Utf8("빈갑옷") + "\"", "\"icon\": \"null2.ico\""}, "", "Cannot read the table"},
      {"magic", "sample:data/diary/magic.txt", {}, {"\"secondName\": \"Fire Ball\"", "\"key\": \"F\""}, "",
       "Cannot read the table"},
      {"skill", "sample:data/diary/skill.txt", {}, {"\"secondName\": \"Heavy Blow\""}, "", "Cannot read the table"},
      {"monster", "sample:data/diary/monster.txt", {}, {"\"sprName\": \"slime.spr\""}, "", "Cannot read the table"},
      {"scrap", "sample:data/diary/scraps.txt", {}, {"\"title\": \"" + Utf8("초원의 전설") + "\""}, "",
       "Cannot read the table"},
      {"worldmap", "sample:data/worldmap.txt", {},
       {"\"name\": \"sample_meadow\"", "\"hoverPicture\": \"worldmap\\\\hover_village.tga\""}, "", ""},
      // The menu pack appended to the sample's launcher; which conditions
      // hold depends on the machine, the unconditional items do not.
      {"launcher", "launcher:launcher.ini", {},
       {"\"class\": [\"wallpaper\", \"images/hide.bmp\"]", "\"picture\": \"images/hide.bmp\",\n      \"loaded\": true",
        "\"left\": 63,\n      \"top\": 191,\n      \"right\": 227,\n      \"bottom\": 208,\n      \"action\": "
        "\"exec::%DISK0\\\\indeo\\\\iv5setup\"",
        "\"action\": \"exit\"", "\"width\": 600,\n    \"height\": 425,\n    \"normal\": true"},
       "", "launcher.ini not found"},
      {"save", "save:", {}, {"\"rawLength\": 37715,", "\"version\": 5,", "\"placeName\": \"inn\"", "\"partyIds\": [0]"},
       std::string("\xFF\xFF\xFF\xFF", 4), "impossible raw length"},
      {"placenames", "sample:data/Name.txt", {}, {"\"key\": \"meadow\",\n      \"text\": \"" + Utf8("남쪽 초원 ") + "\""},
       "", Utf8("name.txt file 열기")},
      {"newgame", "", {},
       {"\"partyIds\": [0, 2]", "\"engname\": \"sizz\"", "\"engname\": \"maria\"", "\"gold\": 350",
        "\"name\": \"" + Utf8("회복약") + "\",\n      \"count\": 3"},
       "too short", "Pack "},
  };
  return cases;
}

// A version-5 session image of a party of one at "inn", stored as literals.
std::string MinimalSave() {
  std::string content = "Save\x05";
  content.resize(37715, '\0');
  content.replace(5, 3, "inn");
  content[3527] = 1;            // party count
  content[9145 + 8] = 1;        // font
  content[9145 + 28] = 1;       // key layout
  std::string stream = {static_cast<char>(37715 & 0xFF), static_cast<char>(37715 >> 8), 0, 0};
  for (size_t i = 0; i < content.size(); i += 8) stream += '\0' + content.substr(i, 8);
  return stream;
}

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.kind; }

class SlvinspectKindTest : public ::testing::TestWithParam<KindCase> {
 protected:
  // The argument naming the case's file.
  std::string FileArgument(const KindCase& c) {
    if (c.file.rfind("sample:", 0) == 0) return SamplePack() + ":" + c.file.substr(7);
    if (c.file.rfind("extra:", 0) == 0) {
      WriteExtraPack(m_dir);
      return (m_dir / "extra.pak").string() + ":" + c.file.substr(6);
    }
    if (c.file.rfind("launcher:", 0) == 0) {
      return (testsupport::BinaryDir() / "game" / "selvarin").string() + ":" + c.file.substr(9);
    }
    if (c.file == "save:") return m_dir.Write("1.sav", MinimalSave()).string();
    if (std::string(c.kind) == "avi") return (testsupport::BinaryDir() / "game" / "movie" / "selvarin.avi").string();
    return SamplePack();
  }

  TempDir m_dir;
};

TEST_P(SlvinspectKindTest, PrintsWhatTheLoaderKeptAndRefusesABadFile) {
  const KindCase& c = GetParam();
  std::vector<std::string> args = {c.kind, FileArgument(c)};
  args.insert(args.end(), c.options.begin(), c.options.end());
  const auto good = Slvinspect(args);
  ASSERT_EQ(good.exitCode, 0) << good.output;
  EXPECT_EQ(good.output.front(), '{');
  for (const std::string& fragment : c.expected) EXPECT_NE(good.output.find(fragment), std::string::npos) << fragment;

  const std::string bad = (m_dir / (std::string("bad.") + c.kind)).string();
  if (!c.badBytes.empty()) m_dir.Write(std::string("bad.") + c.kind, c.badBytes);
  const auto refused = Slvinspect({c.kind, bad});
  EXPECT_EQ(refused.exitCode, 1) << refused.output;
  EXPECT_EQ(refused.output.find('{'), std::string::npos) << refused.output;
  EXPECT_NE(refused.output.find(c.badText), std::string::npos) << refused.output;
  EXPECT_NE(refused.output.find("slvinspect: the " + std::string(c.kind) + " loader refuses"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SlvinspectKindTest, ::testing::ValuesIn(Cases()),
                         [](const auto& kindCase) { return std::string(kindCase.param.kind); });

// A text's bytes that are not code page 949 come out escaped; the Korean
// around them as UTF-8.
TEST(SlvinspectTest, EscapesBytesThatAreNotCodePage949) {
  TempDir dir;
  dir.Write("notes.scr", std::string("a\xFF\x80 ") + "없음" + "\nb \"c d\"\n");
  const auto result = Slvinspect({"scr", (dir / "notes.scr").string(), "--tokens"});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("\"lines\": [\"a\\\\xFF\\\\x80 " + Utf8("없음") + "\", \"b \\\"c d\\\"\"]"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("[\"b\", \"c d\"]"), std::string::npos) << result.output;
}

TEST(SlvinspectTest, ListsAShopAndALibraryByNumber) {
  const testsupport::ProgramResult shop = Slvinspect({"shop", "1", SamplePack() + ":data/shop.txt"});
  ASSERT_EQ(shop.exitCode, 0) << shop.output;
  EXPECT_NE(shop.output.find("\"name\": \"" + Utf8("견습지팡이") + "\",\n      \"percent\": 50"), std::string::npos)
      << shop.output;
  EXPECT_NE(shop.output.find("\"percent\": 100"), std::string::npos);
  const testsupport::ProgramResult library = Slvinspect({"library", "1", SamplePack() + ":data/library.txt"});
  ASSERT_EQ(library.exitCode, 0) << library.output;
  EXPECT_NE(library.output.find("\"entries\": []"), std::string::npos) << library.output;
  EXPECT_NE(Slvinspect({"shop", "9", SamplePack() + ":data/shop.txt"}).exitCode, 0);
  EXPECT_NE(Slvinspect({"shop", "x", SamplePack() + ":data/shop.txt"}).exitCode, 0);
}

TEST(SlvinspectTest, UsageErrors) {
  const std::vector<std::string> cases[] = {
      {},
      {"spr"},
      {"nokind", SamplePack()},
      {"spr", SamplePack() + ":data/sprite/shadow.spr", "--tokens"},
      {"scrap", SamplePack() + ":data/diary/item.txt"},
      {"launcher", SamplePack() + ":data/village.scr"},
      {"expr", "if a"},
      {"expr", "if a", "vars.json"},
      {"expr", "if a", "--tokens", "vars.json"},
  };
  for (const auto& args : cases) EXPECT_EQ(Slvinspect(args).exitCode, 2) << testing::PrintToString(args);
}

// Conditions and values against a session from a vars file: variables
// (Korean names too), gold, the party's size, membership and levels, and
// the evaluator's own error texts.
TEST(SlvinspectTest, EvaluatesExpressionsAgainstTheVarsSession) {
  TempDir dir;
  dir.Write("vars.json", "{\"gold\": 120, \"scriptVariables\": {\"quest\": 2, \"" + Utf8("열쇠") +
                             "\": 5},\n \"inventory\": {\"12\": 3},\n"
                             " \"party\": [{\"engname\": \"kyle\", \"lvl\": 5}, {\"engname\": \"rena\", \"lvl\": 7}]}");
  struct Case {
    std::string text;
    int value;
    std::string error;  // a text the evaluator logs, if any
  };
  const Case cases[] = {
      {"if quest = 2", 1, ""},
      {"quest + 3", 5, ""},
      {"if #gold > 100", 1, ""},
      {"if " + Utf8("열쇠") + " = 5 ", 1, ""},
      {"if @partynumber = 2", 1, ""},
      {"elseif !@rena", 0, ""},
      {"if %rena < 7", 0, ""},
      {"if (quest = 2", 1, Utf8("닫는 괄호가 빠짐")},
      {"if unset", 0, ""},
  };
  for (const Case& c : cases) {
    const auto result = Slvinspect({"expr", c.text, "--vars", (dir / "vars.json").string()});
    ASSERT_EQ(result.exitCode, 0) << c.text << result.output;
    EXPECT_NE(result.output.find("\"value\": " + std::to_string(c.value) + ","), std::string::npos)
        << c.text << result.output;
    if (c.error.empty()) {
      EXPECT_NE(result.output.find("\"errors\": []"), std::string::npos) << c.text << result.output;
    } else {
      EXPECT_NE(result.output.find(c.error), std::string::npos) << c.text << result.output;
    }
  }
}

// A vars file the reader cannot use is refused with what is wrong and where.
TEST(SlvinspectTest, RefusesABadVarsFile) {
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"{\"gold\": 12,\n \"party\": [}", "--vars: line 2: expected an object"},
      {"{\"gold\": 1.5}", "only integers are read"},
      {"{\"inventory\": {\"1000\": 1}}", "inventory.1000 is not an item number"},
      {"{\"party\": [{\"name\": \"kyle\"}]}", "party[0].name is not a member field"},
  };
  for (const auto& [json, text] : cases) {
    dir.Write("vars.json", json);
    const auto result = Slvinspect({"expr", "if a", "--vars", (dir / "vars.json").string()});
    EXPECT_EQ(result.exitCode, 1) << json;
    EXPECT_EQ(result.output.find('{'), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(text), std::string::npos) << result.output;
  }
}

}  // namespace
