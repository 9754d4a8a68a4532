#include "tests/support/SampleGameRun.h"

#include <map>

namespace testsupport {

std::string SampleGameFolder() { return (BinaryDir() / "game").string(); }

std::string NewGameScript() {
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n";
}

std::string ElderGiftScript() {
  // Right, up past the north path's box and down to stand south of the elder,
  // facing him; the talk key (Control); the third answer once the greeting
  // has laid out; then the item's notice and the gold's.
  return "480 key right down\n500 key right up\n"
         "505 key up down\n520 key up up\n"
         "525 key down down\n547 key down up\n"
         "560 key 17 down\n561 key 17 up\n"
         "600 key down down\n601 key down up\n"
         "603 key down down\n604 key down up\n"
         "606 key enter down\n607 key enter up\n"
         "625 key enter down\n626 key enter up\n"
         "645 key enter down\n646 key enter up\n";
}

std::string ElderThirdAnswerScript() {
  // The farewell's key, then a walk.
  return ElderGiftScript() +
         "690 key enter down\n691 key enter up\n"
         "700 key left down\n715 key left up\n";
}

std::filesystem::path RunFolder(const TempDir& dir) { return dir / "game"; }

std::string TextCheck(int pass, const std::string& name) {
  return std::to_string(pass) + " textcheck @" + name + ".txt\n";
}

std::string UnreadTexts(const TempDir& dir, const std::string& name) {
  std::vector<TextKept> texts;
  if (!ReadTextCheck(dir / (name + ".txt"), &texts)) return "no text check " + name;
  return UnreadTexts(name, texts);
}

ProgramResult RunSampleGame(const TempDir& dir, const std::string& script, int timeoutMs) {
  const std::filesystem::path game = RunFolder(dir);
  std::filesystem::create_directories(game);
  for (const auto& entry : std::filesystem::directory_iterator(SampleGameFolder())) {
    if (entry.path().filename() == "screenshot") continue;
    std::filesystem::create_symlink(entry.path(), game / entry.path().filename());
  }
  std::string text;
  const std::string shots = dir.Path().string() + "/";
  for (const char c : script) text += c == '@' ? shots : std::string(1, c);
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", (game / "registry.ini").string()},
                                               {"SLV_NO_PRESENT_WAIT", "0"},
                                               {"SLV_FRAME_SKIP", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", text).string()},
                                               {"SLV_DEBUGLOG", "1"}};
  return RunProgram({(game / "slvexe").string()}, env, timeoutMs, game.string());
}

std::string CompareShot(const TempDir& dir, const std::string& shot, const std::string& golden) {
  RgbImage image;
  if (!ReadPpm(dir / (shot + ".ppm"), &image)) return "no screenshot " + shot;
  return CompareWithGolden(golden, image);
}

}  // namespace testsupport
