// Every test of a game suite starts from the state a fresh process gives
// it, whatever ran before in the same program: no session, no tables, no
// textures and the generator where the program's start left it. Run as one
// process, a suite then gives the results ctest gives test by test.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Random.h"
#include "render/3dGround.h"
#include "render/Font.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "session/SkillMgr.h"

namespace {

class FreshGameState : public ::testing::EmptyTestEventListener {
  void OnTestProgramStart(const ::testing::UnitTest&) override { m_randAtStart = platform::RandState(); }
  void OnTestStart(const ::testing::TestInfo&) override {
    CSession::GetInstance().Clear();
    CItemMgr::GetInstance().Free();
    CMagicMgr::GetInstance().Free();
    CSkillMgr::GetInstance().Free();
    CMonsterMgr::GetInstance().Free();
    CTextureMgr::GetInstance().ReleaseAll();
    CTgaTextureMgr::GetInstance().ReleaseAll();
    std::memset(HangulGlyphs, 0, sizeof HangulGlyphs);
    std::memset(HanjaGlyphs, 0, sizeof HanjaGlyphs);
    std::memset(JamoGlyphs, 0, sizeof JamoGlyphs);
    std::memset(AsciiGlyphs, 0, sizeof AsciiGlyphs);
    std::memset(AsciiWidths, 0, sizeof AsciiWidths);
    C3dGround::s_waterCounter = 0;
    C3dGround::s_wavePhase = 0;
    platform::ClearQueuedRand();
    platform::Srand(m_randAtStart);
  }

  unsigned int m_randAtStart = 1;
};

const bool s_installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshGameState);
  return true;
}();

}  // namespace
