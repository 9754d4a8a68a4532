#pragma once
// The sample game run headless end to end under scripted input: the logo
// clicked away, new game taken on the title, every game-frame pass drawn
// (SLV_FRAME_SKIP=1) so that the pass a screenshot names is always drawn,
// and the debug trace collected with the program's output.
#include <string>

#include "tests/support/TestSupport.h"

namespace testsupport {

class SampleGameRun {
 public:
  // The village has faded in and the leader stands at the crossing by this
  // pass; the events a run adds start here.
  static constexpr int kVillageReady = 480;

  // Runs the game with the new-game input followed by `events` (input-script
  // lines; `Shot` makes the screenshot ones).
  ProgramResult Run(const std::string& events) const;
  // An input-script line that saves a screenshot named `name` at `pass`.
  std::string Shot(int pass, const std::string& name) const;
  // Compares the screenshot `name` with the golden image `golden`; an empty
  // text when they match.
  std::string CompareShot(const std::string& name, const std::string& golden) const;

 private:
  TempDir m_dir;
};

}  // namespace testsupport
