#pragma once
// Headless runs of slvexe on the sample game folder under scripted input,
// every game pass drawn (SLV_FRAME_SKIP=1) and presents paced.
#include <filesystem>
#include <string>

#include "tests/support/GoldenImage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ScreenTexts.h"

namespace testsupport {

// The sample game folder the build makes beside the tests.
std::string SampleGameFolder();

// Script lines up to new game: clicks on the logo at uneven intervals until
// one lands, the pointer moved onto the title's first entry and a click on
// it at pass 410. The village then fades in over its first 26 passes, its
// camera where the player starts, the pointer in the middle of the screen.
std::string NewGameScript();

// Script lines from the village's ready pass: the leader walks up to the
// elder and takes his third answer (a potion, gold, two members and a
// present); the notices confirmed, the farewell is laid out whole by pass
// 690 and waits for its key.
std::string ElderGiftScript();

// Script lines from the village's ready pass: the leader walks up to the
// elder and takes his third answer (a potion, gold and a third member), the
// notices and the farewell confirmed, each key further apart than the
// keypad's repeat window; released at pass 700, the party walks left until
// pass 715.
std::string ElderThirdAnswerScript();

// Runs the game with `script` (its "@" stand for `dir`'s path and a slash,
// where screenshots go). The run works in a folder of its own under `dir`
// that links to the sample's files, so what the game writes there
// ("screenshot/...") meets no other run. The game's time goes by passes, so
// a slow machine only makes the run longer: the limit is for hangs, and
// below the suite's own so the run's output is still reported.
ProgramResult RunSampleGame(const TempDir& dir, const std::string& script, int timeoutMs = 840000);

// The run's screenshot `shot` (`dir`/shot.ppm) against the golden image
// `golden`; an empty text when they match.
std::string CompareShot(const TempDir& dir, const std::string& shot, const std::string& golden);

// An input-script line that checks, from `pass` on, the texts of the next
// whole frame into `dir`/name.txt.
std::string TextCheck(int pass, const std::string& name);

// What the run's check `name`, a screen of the table, fails of the rule
// (UnreadTexts); a note when the check wrote nothing.
std::string UnreadTexts(const TempDir& dir, const std::string& name);

// The run's own game folder.
std::filesystem::path RunFolder(const TempDir& dir);

// A run that starts a new game and goes on with the events a test adds, in a
// folder of its own.
class SampleGameRun {
 public:
  // The village has faded in and the leader stands at the crossing by this
  // pass; the events a run adds start here.
  static constexpr int kVillageReady = 480;

  ProgramResult Run(const std::string& events) const { return RunSampleGame(m_dir, NewGameScript() + events); }
  // An input-script line that saves a screenshot named `name` at `pass`.
  std::string Shot(int pass, const std::string& name) const {
    return std::to_string(pass) + " screenshot @" + name + ".ppm\n";
  }
  std::string CompareShot(const std::string& name, const std::string& golden) const {
    return testsupport::CompareShot(m_dir, name, golden);
  }
  std::string UnreadTexts(const std::string& name) const { return testsupport::UnreadTexts(m_dir, name); }

 private:
  TempDir m_dir;
};

}  // namespace testsupport
