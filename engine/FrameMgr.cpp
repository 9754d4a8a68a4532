#include "engine/FrameMgr.h"

#include "engine/AppShell.h"
#include "engine/Frame.h"
#include "platform/DebugLog.h"

CFrame* g_pCurrentFrame = nullptr;

namespace {
// An object of the class, or null (logged) when it is missing or not a T.
template <class T>
std::unique_ptr<T> CreateAs(const std::type_info& type, const char* what) {
  std::unique_ptr<CObject> object(CObjectFactory::GetInstance().CreateObject(type));
  if (auto* typed = dynamic_cast<T*>(object.get())) {
    object.release();
    return std::unique_ptr<T>(typed);
  }
  if (object) DebugLogf("CFrameMgr :: CreateFrame - %s is not a %s", type.name(), what);
  return nullptr;
}
}  // namespace

CFrameMgr& CFrameMgr::GetInstance() {
  static CFrameMgr manager;
  return manager;
}

CFrameMgr::~CFrameMgr() { DestroyAll(); }

void CFrameMgr::RegisterFrame(const std::string& typeName, const std::type_info& frameClass,
                              const std::type_info& viewClass, const std::type_info& contextClass) {
  m_types[typeName] = FrameType{&frameClass, &viewClass, &contextClass};
}

CFrame* CFrameMgr::CreateFrame(const std::string& typeName, const std::string& instanceName) {
  const auto type = m_types.find(typeName);
  if (type == m_types.end()) {
    DebugLogf("CFrameMgr :: CreateFrame - frame type \"%s\" is not registered (frame \"%s\")",
              typeName.c_str(), instanceName.c_str());
    return nullptr;
  }
  std::unique_ptr<CView> view = CreateAs<CView>(*type->second.viewClass, "CView");
  std::unique_ptr<CContext> context = CreateAs<CContext>(*type->second.contextClass, "CContext");
  std::unique_ptr<CFrame> frame = CreateAs<CFrame>(*type->second.frameClass, "CFrame");
  if (!view || !context || !frame) return nullptr;
  frame->m_name = instanceName;
  frame->m_pView = view.release();
  frame->m_pContext = context.release();
  CFrame* result = frame.get();
  std::unique_ptr<CFrame>& slot = m_frames[instanceName];
  if (slot.get() == g_pCurrentFrame && slot) m_replaced.push_back(std::move(slot));
  slot = std::move(frame);
  return result;
}

void CFrameMgr::SetDefaultFrameType(const std::string& typeName) { m_defaultType = typeName; }

void CFrameMgr::ChangeFrame(const std::string& name) {
  if (g_pCurrentFrame != nullptr) g_pCurrentFrame->Stop();
  if (FindFrame(name) == nullptr) CreateFrame(m_defaultType, name);
  m_nextName = name;
}

void CFrameMgr::Quit() {
  if (g_pCurrentFrame != nullptr) g_pCurrentFrame->Stop();
  m_running = 0;
}

void CFrameMgr::Run(const std::string& startName) {
  if (FindFrame(startName) == nullptr) CreateFrame(m_defaultType, startName);
  m_nextName = startName;
  for (;;) {
    g_pCurrentFrame = FindFrame(m_nextName);
    if (m_running == 0 || g_quitRequested != 0 || g_pCurrentFrame == nullptr) break;
    g_pCurrentFrame->Init();
    g_pCurrentFrame->Run();
    // On quit the last frame is not exited: shutdown frees everything.
    if (g_quitRequested == 0) g_pCurrentFrame->Exit();
  }
}

void CFrameMgr::DestroyAll() {
  m_types.clear();
  m_frames.clear();
  m_replaced.clear();
  g_pCurrentFrame = nullptr;
}

CFrame* CFrameMgr::FindFrame(const std::string& name) const {
  const auto it = m_frames.find(name);
  return it != m_frames.end() ? it->second.get() : nullptr;
}
