#include "tools/slvinspect/InspectDisplay.h"

#include <cstdlib>

#include "engine/ResMgr.h"
#include "platform/Display.h"
#include "render/3dDevice.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"

namespace slvinspect {

bool InspectDisplay::Open(const std::string& lockFolder) {
  ::setenv("SLV_LOCK_DIR", lockFolder.c_str(), 1);
  m_window = platform::CreateAppWindow({"slvinspect", "slvinspect", nullptr, 0, 0, 640, 480});
  if (m_window == nullptr) return false;
  if (platform::Failed(g_3dDevice.Create(m_window, nullptr, &platform::kRasterizerGuid, nullptr, kDevDoubleBuffer))) {
    platform::DestroyAppWindow(m_window);
    m_window = nullptr;
    return false;
  }
  return true;
}

// The resources and textures hold surfaces of the device: they go first.
InspectDisplay::~InspectDisplay() {
  if (m_window == nullptr) return;
  CResMgr::GetInstance().UnloadResources();
  CTextureMgr::GetInstance().ReleaseAll();
  CTgaTextureMgr::GetInstance().ReleaseAll();
  g_3dDevice.Release();
  platform::DestroyAppWindow(m_window);
}

}  // namespace slvinspect
