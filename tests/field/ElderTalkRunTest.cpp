// The sample village's elder talked to headless under scripted input, each
// stage compared with its golden screenshot: he turns to the leader, greets
// him and asks; the second answer asks again after a pause, and the gate answer
// turns the camera and warps the party; the first answer walks him off
// under a play lock, and the wolf, met next, chases the leader and vanishes
// with its battle request. The talk's words are all known.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

// From the crossing, down the path and right until the leader, facing right,
// has the elder just ahead; the action key (Ctrl) talks to him.
const std::string kTalkToTheElder =
    "480 key down down\n495 key down up\n"
    "496 key right down\n508 key right up\n"
    "530 key 17 down\n531 key 17 up\n";

void ExpectNoUnknownWord(const testsupport::ProgramResult& result) {
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
}

TEST(ElderTalkRun, TheElderTurnsAndAsksTwiceAndTheGateAnswerWarpsTheParty) {
  testsupport::SampleGameRun run;
  // Down picks the second answer, which pauses 30 ticks before it asks
  // again; the first answer of that choice warps the party.
  const auto result = run.Run(kTalkToTheElder + run.Shot(565, "first") + testsupport::TextCheck(566, "field_talk") +
                              "570 key down down\n571 key down up\n580 key enter down\n581 key enter up\n" +
                              run.Shot(640, "second") + "650 key enter down\n651 key enter up\n" +
                              run.Shot(760, "warped") + "770 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(run.CompareShot("first", "elder_talk_first_choice"), "");
  EXPECT_EQ(run.CompareShot("second", "elder_talk_second_choice"), "");
  EXPECT_EQ(run.CompareShot("warped", "elder_talk_warped"), "");
  EXPECT_EQ(run.UnreadTexts("field_talk"), "");
  ExpectNoUnknownWord(result);
}

TEST(ElderTalkRun, TheElderWalksOffAndTheWolfChasesAndVanishes) {
  testsupport::SampleGameRun run;
  // The first answer walks him to his spot; the talk then lets the leader
  // go, who walks north past the gate box (not through it) and up-left into
  // the wolf's reach, where he waits for it.
  const auto result = run.Run(kTalkToTheElder + "575 key enter down\n576 key enter up\n" +
                              run.Shot(645, "walked") + "650 key up down\n695 key left down\n720 key left up\n720 key up up\n" +
                              run.Shot(760, "wolf") + "770 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(run.CompareShot("walked", "elder_walked"), "");
  EXPECT_EQ(run.CompareShot("wolf", "wolf_vanished"), "");
  ExpectNoUnknownWord(result);
}

}  // namespace
