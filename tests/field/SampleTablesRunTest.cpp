// The game program reads the sample's data tables at start-up without a
// complaint in its trace.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

TEST(SampleTablesRun, StartUpReadsTheTablesWithoutComplaint) {
  testsupport::TempDir dir;
  const std::string game = (testsupport::BinaryDir() / "game").string();
  const std::map<std::string, std::string> env{{"SLV_LOCK_DIR", dir.Path().string()},
                                               {"SLV_REGISTRY", game + "/registry.ini"},
                                               {"SLV_DEBUGLOG", "1"},
                                               {"SLV_INPUT_SCRIPT", dir.Write("input.txt", "10 close\n").string()}};
  const auto result = testsupport::RunProgram({game + "/slvexe"}, env, 30000, game);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  for (const char* complaint : {"Not Found", "Syntax Error In Item.txt", "Error In", "Already loaded",
                                "Cannot read the table"}) {
    EXPECT_EQ(result.output.find(complaint), std::string::npos) << complaint << "\n" << result.output;
  }
}

}  // namespace
