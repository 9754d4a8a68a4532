#pragma once
// One of the sample game's maps open in a game frame, loaded from the built
// sample pack with a fresh view and context, for tests that play a map in
// process. Everything it sets is put back when it goes.
#include <filesystem>
#include <string>
#include <vector>

#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "script/ScriptPosition.h"
#include "tests/support/TestSupport.h"

namespace testsupport {

template <class Frame = CSelvarinFrame>
class SampleMapFrame {
 public:
  // `extraPacks` are registered after the sample's own pack, before the map
  // loads. The opening fade is over when the constructor returns.
  explicit SampleMapFrame(const std::string& map, const std::vector<std::string>& extraPacks = {})
      : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(BinaryDir() / "game");
    SetResDirectory("\\");
    m_registered = RegisterPack("data.pak");
    for (const std::string& pack : extraPacks) m_registered = RegisterPack(pack) && m_registered;
    frame.m_pView = new CSelvarinView;
    frame.m_pContext = new CSelvarinContext;
    frame.m_name = map;
    g_pCurrentFrame = &frame;
    frame.Init();
    frame.m_transKind = 0;
  }
  ~SampleMapFrame() {
    if (CSelvarinContext* context = frame.GetContext()) context->m_player = nullptr;
    if (CSelvarinView* view = frame.GetView()) view->m_pFollow = nullptr;
    frame.Exit();
    g_pCurrentFrame = nullptr;
    g_scriptObjectName.clear();
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    std::filesystem::current_path(m_previous);
  }
  SampleMapFrame(const SampleMapFrame&) = delete;
  SampleMapFrame& operator=(const SampleMapFrame&) = delete;

  // Whether every pack was found.
  bool Registered() const { return m_registered; }
  CSelvarinContext& Context() { return *frame.GetContext(); }
  CSelvarinView& View() { return *frame.GetView(); }

 private:
  std::filesystem::path m_previous;
  bool m_registered = false;

 public:
  Frame frame;
};

}  // namespace testsupport
