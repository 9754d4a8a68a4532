// The sample village's wolf battle headless under scripted input, fought to
// its end in one run: the opening after its fade, the leader's command menu,
// the battle after the leader's attack with the panels' points after the
// first blows; the leader's dart flying at a skeleton and its digits as it
// strikes, while the leader's first words wait; Maria's rose poisoning a skeleton, the battle script's words
// on it and the skeleton in poison green; the result screen (the wheel
// spinning, stopped on the leader's share with the panel counting, the
// level-up, the drop and the money announced), the
// village again, and there the field menu's healing spell: sizz casts
// "힐링" on Maria, whom the skeletons hurt, and pays its MP; each against
// its golden screenshot.
#include <gtest/gtest.h>

#include "tests/support/SampleBattleRun.h"
#include "tests/support/SampleGameRun.h"

namespace {

using testsupport::Moment;

// From `at` in the field: F2 opens the menu on sizz with the pointer in
// the middle; his magic tab (410, 20), the "힐링" row (440, 130), clicked
// again (465, 130) for its "마법 사용" entry (510, 145); Maria in the member picker
// (290, 200), then her icon in the column (63, 118) to show her page.
std::string HealFromTheFieldMenu(const Moment& at) {
  struct Step {
    int pass;
    const char* event;
  };
  static constexpr Step kSteps[] = {
      {0, "key f2 down"},         {2, "key f2 up"},          {10, "mouse move 90 -220"},
      {14, "mouse left down"},    {15, "mouse left up"},     {20, "mouse move 30 110"},
      {24, "mouse left down"},    {25, "mouse left up"},     {32, "mouse move 25 0"},
      {36, "mouse left down"},    {37, "mouse left up"},     {42, "mouse move 45 15"},
      {46, "mouse left down"},    {47, "mouse left up"},     {54, "mouse move -220 55"},
      {58, "mouse left down"},    {59, "mouse left up"},     {66, "mouse move -227 -82"},
      {70, "mouse left down"},    {71, "mouse left up"},
  };
  std::string lines;
  for (const Step& step : kSteps) lines += (at + step.pass).Text() + " " + step.event + "\n";
  return lines;
}

TEST(SampleBattleRun, ThePartyFightsTheSkeletonsToVictoryAndWalksTheVillageAgain) {
  using M = testsupport::SampleBattleMoments;
  using testsupport::Moment;
  struct Step {
    Moment at;
    const char* shot;
  };
  // The poison's words wait from a few passes after the blow until their
  // key; once they are answered the poisoned skeleton shows green.
  const Step steps[] = {{M::kOpened, "battle_opened"},
                        {M::kLeaderMenu, "battle_menu"},
                        {M::kLeaderMenu + 50, "battle_blows"},
                        {Moment{"words", 20}, "dart_flying"},  // thrown as the words begin
                        {Moment{"words", 26}, "dart_digits"},
                        {M::kPoisonWords + -12, "poison_words"},
                        {M::kPoisonWords + 20, "poison_green"},
                        {M::kResult, "result_wheel"},
                        {M::kResult + 70, "result_counting"},
                        {M::kResult + 116, "result_level_up"},
                        {M::kResult + 218, "result_item"},
                        {M::kResult + 284, "result_money"},
                        {M::kVillage, "battle_village"},
                        {M::kVillage + 74, "heal_caster"},
                        {M::kVillage + 90, "heal_maria"}};
  testsupport::SampleGameRun run;
  std::string script = testsupport::SampleBattleScript();
  for (const Step& step : steps) script += testsupport::ShotAt(step.at, step.shot);
  // The screens whose texts are checked: the command menu, the auto
  // sub-menu the second member opens, the panels after the first blows, the
  // battle script's words and the result screen's phases.
  const struct {
    Moment at;
    const char* check;
  } checks[] = {{M::kLeaderMenu + 1, "battle_menu"},      {M::kSecondOrder + 9, "battle_tactics"},
                {M::kLeaderMenu + 51, "battle_panels"},   {M::kPoisonWords + -11, "battle_words"},
                {M::kResult + 1, "result_wheel"},         {M::kResult + 71, "result_counting"},
                {M::kResult + 117, "result_level_up"},    {M::kResult + 219, "result_item"},
                {M::kResult + 285, "result_money"}};
  for (const auto& check : checks) script += testsupport::TextCheckAt(check.at, check.check);
  script += HealFromTheFieldMenu(M::kVillage + 10);
  const auto result = run.Run(script + (M::kVillage + 100).Text() + " close\n");
  ASSERT_FALSE(result.timedOut);
  // The set-up found every party member's battle class.
  EXPECT_EQ(result.output.find("unknown actor class \"battle"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("DrawResultNumber"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("ShowBattleResult"), std::string::npos) << result.output;
  for (const Step& step : steps) {
    EXPECT_EQ(run.CompareShot(step.shot, std::string("sample_") + step.shot), "") << step.shot;
  }
  for (const auto& check : checks) EXPECT_EQ(run.UnreadTexts(check.check), "") << check.check;
}

}  // namespace
