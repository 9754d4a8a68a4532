#include "field/WorldMapFrame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/ActRes.h"
#include "engine/AppShell.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/PlayerStart.h"
#include "field/QuitConfirm.h"
#include "field/Screenshot.h"
#include "field/SelvarinFrame.h"
#include "field/WorldMapList.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "session/Session.h"

SLV_REGISTER_CLASS(CWorldMapFrame);

namespace {
namespace worldmapframe {

constexpr int kHoverX = 21, kHoverY = 16;
constexpr int kHoverHalfWidth = 86, kHoverHalfHeight = 64;
constexpr int kLabelWidth = 128, kLabelHalfHeight = 64;
constexpr int kLeaderActionBase = 6;
constexpr float kLeaderScale = 0.6f;
constexpr int kKindFlagOne = 1, kKindFlagTwo = 2, kKindField = 3;

struct Marker {
  const char* sprites;
  const char* actions;
  int ticksPerFrame;
};

const Marker* MarkerOf(int kind) {
  static const Marker kMarkers[] = {
      {"깃발01.spr", "깃발01.act", 5},
      {"깃발02.spr", "깃발02.act", 5},
      {"필드.spr", "필드.act", 6},
  };
  if (kind < kKindFlagOne || kind > kKindField) return nullptr;
  return &kMarkers[kind - 1];
}

std::string TileName(int n) {
  char name[40];
  std::snprintf(name, sizeof name, n < 10 ? "worldmap\\worldmap_0%d.bmp" : "worldmap\\worldmap_%d.bmp", n);
  return name;
}

// An action whose first motions are missing draws nothing: no frame to take
// the tick modulo.
void DrawActionFrame(CRC& rc, int x, int y, const char* sprName, const char* actName, int action, int tick,
                     int ticksPerFrame, float scale) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes(sprName));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes(actName));
  if (sprites == nullptr || actions == nullptr) return;
  const ActAction* act = actions->GetAction(action);
  if (act == nullptr || act->motions.empty()) return;
  const int frames = static_cast<int>(act->motions.size());
  const int frame = ticksPerFrame > 0 ? (tick / ticksPerFrame) % frames : 0;
  rc.DrawAction(x, y, actions, sprites, action, frame, scale, 0, 0xFFFFFFFF, true);
}

CTexture* PictureTexture(const std::string& name) {
  std::string extension = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  const bool bmp = extension == ".bmp";
  if (bmp) return CTextureMgr::GetInstance().GetTexture(name.c_str(), 0);
  return CTgaTextureMgr::GetInstance().GetTexture(name.c_str());
}

bool KeyHeld(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

}  // namespace worldmapframe
}  // namespace

int CWorldMapFrame::ViewWidth() const { return m_pRC != nullptr && m_pRC->ViewWidth() > 0 ? m_pRC->ViewWidth() : 640; }

int CWorldMapFrame::ViewHeight() const {
  return m_pRC != nullptr && m_pRC->ViewHeight() > 0 ? m_pRC->ViewHeight() : 480;
}

void CWorldMapFrame::Init() {
  C3dFrame::Init();
  m_tick = 0;
  m_dragging = false;
  for (int n = 1; n <= kTiles; ++n) {
    m_tiles[static_cast<size_t>(n - 1)] = CTextureMgr::GetInstance().GetTexture(worldmapframe::TileName(n).c_str(), 0);
  }
  m_scroll = InitialScroll(WorldMapList::GetInstance(), ViewWidth(), ViewHeight());
  const CMouse& mouse = CMouse::GetInstance();
  m_lastMouseX = mouse.m_x;
  m_lastMouseY = mouse.m_y;
  ResetFrameTimer();
}

void CWorldMapFrame::Exit() {
  for (CTexture*& tile : m_tiles) {
    if (tile != nullptr) CTextureMgr::GetInstance().Destroy(tile);
    tile = nullptr;
  }
  C3dFrame::Exit();
}

CWorldMapFrame::Scroll CWorldMapFrame::Clamped(Scroll scroll, int width, int height) {
  scroll.x = std::clamp(scroll.x, 0, std::max(kMapWidth - width, 0));
  scroll.y = std::clamp(scroll.y, 0, std::max(kMapHeight - height, 0));
  return scroll;
}

CWorldMapFrame::Scroll CWorldMapFrame::InitialScroll(const WorldMapList& list, int width, int height) {
  int64_t sumX = 0, sumY = 0, count = 0;
  for (const int index : list.m_open) {
    if (index < 0 || static_cast<size_t>(index) >= list.m_entries.size()) continue;
    const WorldMapEntry& place = list.m_entries[static_cast<size_t>(index)];
    sumX += place.mapX;
    sumY += place.mapY;
    ++count;
  }
  Scroll scroll{kMapWidth / 2 - width / 2, kMapHeight / 2 - height / 2};
  if (count > 0) {
    scroll.x = static_cast<int>(sumX / count) - width / 2;
    scroll.y = static_cast<int>(sumY / count) - height / 2;
  }
  return Clamped(scroll, width, height);
}

int CWorldMapFrame::HoveredPlace(int x, int y) const {
  const WorldMapList& list = WorldMapList::GetInstance();
  for (const int index : list.m_open) {
    if (index < 0 || static_cast<size_t>(index) >= list.m_entries.size()) continue;
    const WorldMapEntry& place = list.m_entries[static_cast<size_t>(index)];
    if (std::abs(x + m_scroll.x - place.mapX) <= worldmapframe::kHoverX && std::abs(y + m_scroll.y - place.mapY) <= worldmapframe::kHoverY) {
      return index;
    }
  }
  return -1;
}

void CWorldMapFrame::Run() {
  while (m_running != 0 && g_quitRequested == 0) RunPass();
}

void CWorldMapFrame::RunPass() {
  ++m_tick;
  PumpMessages();
  CControllerList::GetInstance().Update();
  CMouse::GetInstance().Read();
  if (worldmapframe::KeyHeld(platform::VK_ESCAPE) && ShowQuitConfirm() == kQuitYes) {
    CFrameMgr::GetInstance().ChangeFrame("title");
    return;
  }
  if (WaitNextFrame()) DrawPass();
  StepMouse();
}

void CWorldMapFrame::StepMouse() {
  const CMouse& mouse = CMouse::GetInstance();
  const int width = ViewWidth();
  const int height = ViewHeight();
  const int32_t state = mouse.m_mouseButtons[0];
  if (state == kStateUp || state == kStateReleased) {
    m_dragging = false;
    if (mouse.m_x == 0) m_scroll.x -= kEdgeStep;
    if (mouse.m_x == width - 1) m_scroll.x += kEdgeStep;
    if (mouse.m_y == 0) m_scroll.y -= kEdgeStep;
    if (mouse.m_y == height - 1) m_scroll.y += kEdgeStep;
  } else if (state == kStatePressed) {
    const int index = HoveredPlace(mouse.m_x, mouse.m_y);
    const WorldMapList& list = WorldMapList::GetInstance();
    if (index < 0 || list.m_entries[static_cast<size_t>(index)].kind == worldmapframe::kKindFlagTwo) {
      m_dragging = true;
    } else {
      const WorldMapEntry& place = list.m_entries[static_cast<size_t>(index)];
      g_playerStart = PlayerStart{static_cast<float>(place.startX), -1.0f, static_cast<float>(place.startZ),
                                  static_cast<float>(place.partyHeading)};
      g_carriedYaw = static_cast<float>(place.cameraHeading);
      CFrameMgr::GetInstance().ChangeFrame(place.frameName);
    }
  } else if (m_dragging) {
    m_scroll.x += m_lastMouseX - mouse.m_x;
    m_scroll.y += m_lastMouseY - mouse.m_y;
  }
  m_scroll = Clamped(m_scroll, width, height);
  m_lastMouseX = mouse.m_x;
  m_lastMouseY = mouse.m_y;
}

void CWorldMapFrame::DrawPass() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  if (rc.BeginScene()) {
    const CMouse& mouse = CMouse::GetInstance();
    DrawTiles();
    const int hovered = HoveredPlace(mouse.m_x, mouse.m_y);
    DrawHoverPicture(hovered);
    DrawPlaces(hovered);
    worldmapframe::DrawActionFrame(rc, mouse.m_x, mouse.m_y, "system\\cursors.spr", "system\\cursors.act", 2, 0, 0, 1.0f);
    DrawLabelPicture(hovered);
    rc.EndScene();
  }
  // The screenshot reads what the scene drew.
  TakeScreenshotStep(m_pRC);
  rc.Flip();
}

void CWorldMapFrame::DrawTiles() {
  const int width = ViewWidth();
  const int height = ViewHeight();
  for (int i = 0; i < kTiles; ++i) {
    const int left = (i % 4) * kTileWidth - m_scroll.x;
    const int top = (i / 4) * kTileHeight - m_scroll.y;
    if (left >= width || top >= height || left + kTileWidth <= 0 || top + kTileHeight <= 0) continue;
    CTexture* tile = m_tiles[static_cast<size_t>(i)];
    if (tile == nullptr) continue;
    m_pRC->DrawQuad(platform::Rect{left, top, left + kTileWidth, top + kTileHeight}, tile, 1.0f, 0xFFFFFF, 1, 1);
  }
}

void CWorldMapFrame::DrawHoverPicture(int hovered) {
  if (hovered < 0) return;
  const WorldMapEntry& place = WorldMapList::GetInstance().m_entries[static_cast<size_t>(hovered)];
  if (place.kind == worldmapframe::kKindField) return;
  CTexture* picture = CTgaTextureMgr::GetInstance().GetTexture(place.hoverPicture.c_str());
  if (picture == nullptr) return;
  const int x = place.mapX - m_scroll.x;
  const int y = place.mapY - m_scroll.y;
  m_pRC->DrawQuad(platform::Rect{x - worldmapframe::kHoverHalfWidth, y - worldmapframe::kHoverHalfHeight, x + worldmapframe::kHoverHalfWidth, y + worldmapframe::kHoverHalfHeight},
                  picture, 1.0f, 0xFFFFFF, 1, 1);
}

void CWorldMapFrame::DrawPlaces(int hovered) {
  const WorldMapList& list = WorldMapList::GetInstance();
  const int leader = CSession::GetInstance().partyIds[0];
  for (const int index : list.m_open) {
    if (index < 0 || static_cast<size_t>(index) >= list.m_entries.size()) continue;
    const WorldMapEntry& place = list.m_entries[static_cast<size_t>(index)];
    const int x = place.mapX - m_scroll.x;
    const int y = place.mapY - m_scroll.y;
    if (place.frameName == WorldMapOrigin()) {
      worldmapframe::DrawActionFrame(*m_pRC, x, y, "system\\battle.spr", "system\\battle.act", leader + worldmapframe::kLeaderActionBase, 0, 0,
                      worldmapframe::kLeaderScale);
    }
    const worldmapframe::Marker* marker = worldmapframe::MarkerOf(place.kind);
    if (marker == nullptr) {
      DebugLog("CWorldMapFrame :: unknown place kind");
      continue;
    }
    const int ticksPerFrame = index == hovered ? marker->ticksPerFrame : 0;
    worldmapframe::DrawActionFrame(*m_pRC, x, y, marker->sprites, marker->actions, 0, m_tick, ticksPerFrame, 1.0f);
  }
}

void CWorldMapFrame::DrawLabelPicture(int hovered) {
  if (hovered < 0) return;
  const WorldMapEntry& place = WorldMapList::GetInstance().m_entries[static_cast<size_t>(hovered)];
  if (place.kind == worldmapframe::kKindField) return;
  CTexture* label = worldmapframe::PictureTexture(place.labelPicture);
  if (label == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  m_pRC->DrawQuad(
      platform::Rect{mouse.m_x, mouse.m_y - worldmapframe::kLabelHalfHeight, mouse.m_x + worldmapframe::kLabelWidth, mouse.m_y + worldmapframe::kLabelHalfHeight},
      label, 1.0f, 0xFFFFFF, 1, 1);
}
