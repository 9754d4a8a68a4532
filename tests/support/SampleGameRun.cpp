#include "tests/support/SampleGameRun.h"

#include "tests/support/GoldenImage.h"

namespace testsupport {

namespace {

std::string GameFolder() { return (BinaryDir() / "game").string(); }

// Clicks on the logo go on at uneven intervals until one lands (later ones
// fall outside the title's menu); the pointer then rests on the title's
// first entry, new game, which is clicked once the title has faded in.
std::string NewGameInput() {
  std::string clicks;
  for (int pass = 100; pass < 290; pass += 7 + pass % 3) {
    clicks += std::to_string(pass) + " mouse left down\n" + std::to_string(pass + 1) + " mouse left up\n";
  }
  return clicks +
         "300 mouse move 0 65\n"
         "410 mouse left down\n411 mouse left up\n";
}

}  // namespace

ProgramResult SampleGameRun::Run(const std::string& events) const {
  const std::map<std::string, std::string> env{
      {"SLV_LOCK_DIR", m_dir.Path().string()},
      {"SLV_REGISTRY", GameFolder() + "/registry.ini"},
      {"SLV_NO_PRESENT_WAIT", "0"},
      {"SLV_FRAME_SKIP", "1"},
      {"SLV_INPUT_SCRIPT", m_dir.Write("input.txt", NewGameInput() + events).string()},
      {"SLV_DEBUGLOG", "1"}};
  return RunProgram({GameFolder() + "/slvexe"}, env, 100000, GameFolder());
}

std::string SampleGameRun::Shot(int pass, const std::string& name) const {
  return std::to_string(pass) + " screenshot " + (m_dir / (name + ".ppm")).string() + "\n";
}

std::string SampleGameRun::CompareShot(const std::string& name, const std::string& golden) const {
  RgbImage image;
  if (!ReadPpm(m_dir / (name + ".ppm"), &image)) return "no screenshot " + name;
  return CompareWithGolden(golden, image);
}

}  // namespace testsupport
