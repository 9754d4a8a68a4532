// The leader uses a prop headless under scripted input: it walks up to the
// sample village's jail door and presses the action key (Ctrl), and the
// door's "::Action" slides it open. Both stages are compared with their
// golden screenshots.
#include <gtest/gtest.h>

#include "tests/support/SampleGameRun.h"

namespace {

TEST(PropUseRun, TheActionKeyOpensTheJailDoorAhead) {
  testsupport::SampleGameRun run;
  // Left along the path, then down until the wall and the door stop it,
  // turned to face the door.
  const auto result = run.Run("480 key left down\n498 key left up\n499 key down down\n540 key down up\n" +
                              run.Shot(545, "closed") + "550 key 17 down\n551 key 17 up\n" + run.Shot(640, "opened") +
                              "650 close\n");
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(run.CompareShot("closed", "jail_door_closed"), "");
  EXPECT_EQ(run.CompareShot("opened", "jail_door_opened"), "");
  EXPECT_EQ(result.output.find("Unknown Command"), std::string::npos) << result.output;
}

}  // namespace
