// The game frame's screen transitions: fades to and from black, white or a
// colour, a fade out that changes frame, and a fade out that warps the
// player and fades in again. Each drawn step is 1/25 of the way.
#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/FrameMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/RC.h"

namespace {
namespace selvarinframetransition {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kWarpMessage = 3;

uint32_t Argb(float alpha, uint32_t rgb) { return static_cast<uint32_t>(alpha * 255.0f) << 24 | (rgb & 0xFFFFFF); }

// A coordinate as the whole number a message carries; a script may have put
// anything there.
intptr_t WholeNumber(float v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<intptr_t>(std::clamp(v, static_cast<float>(INT_MIN), static_cast<float>(INT_MAX - 127)));
}

}  // namespace selvarinframetransition
}  // namespace

void CSelvarinFrame::DrawTransition() {
  const int kind = m_transKind;
  if (kind < 1 || kind > 11) return;
  const float s = std::clamp(static_cast<float>(m_transStep) * 0.04f, 0.0f, 1.0f);
  uint32_t color = 0;
  switch (kind) {
    case 1: case 2: color = selvarinframetransition::Argb(s, selvarinframetransition::kBlack); break;
    case 3: color = selvarinframetransition::Argb(1.0f - s, m_transColor); break;
    case 4: color = selvarinframetransition::Argb(s, m_transColor); break;
    case 5: color = selvarinframetransition::Argb(1.0f, m_transColor); break;
    case 6: color = selvarinframetransition::Argb(1.0f - s, selvarinframetransition::kWhite); break;
    case 7: case 9: color = selvarinframetransition::Argb(s, selvarinframetransition::kWhite); break;
    case 8: color = selvarinframetransition::Argb(1.0f, selvarinframetransition::kWhite); break;
    case 10: {
      const float alpha = static_cast<float>(m_transAlphaStart) +
                          s * static_cast<float>(m_transAlphaTarget - m_transAlphaStart);
      color = static_cast<uint32_t>(alpha) << 24;
      break;
    }
    case 11: color = static_cast<uint32_t>((1.0f - s) * static_cast<float>(m_transAlphaTarget)) << 24; break;
  }
  if (m_pRC != nullptr) m_pRC->FillRect(platform::Rect{0, 0, m_pRC->ViewWidth(), m_pRC->ViewHeight()}, color, color);

  switch (kind) {
    case 1:
      if (++m_transStep >= kTransitionSteps) {
        Warp();
        m_transStep = 0;
        m_transKind = 3;
      }
      break;
    case 2:
      if (++m_transStep > kTransitionSteps) {
        if (CSelvarinView* view = GetView()) {
          view->m_yaw = m_transYaw;
          view->m_targetYaw = m_transYaw;
        }
        CFrameMgr::GetInstance().ChangeFrame(m_transFrame);
      }
      break;
    case 3:
      if (m_transStep > kTransitionSteps) m_transKind = 0;
      // A cut-scene fades in at half speed.
      if (m_mode != kModeScript || m_macroFrame % 2 == 0) ++m_transStep;
      break;
    case 4: case 7:
      if (++m_transStep > kTransitionSteps) m_transKind = kind + 1;
      break;
    case 6:
      if (m_transStep > kTransitionSteps) m_transKind = 0;
      ++m_transStep;
      break;
    case 9:
      if (++m_transStep > kTransitionSteps) CFrameMgr::GetInstance().ChangeFrame("logo");
      break;
    case 10:
      if (m_transStep < kTransitionSteps) ++m_transStep;
      break;
    case 11:
      if (m_transStep >= kTransitionSteps) {
        m_transKind = 0;
        m_transAlphaStart = 0;
        m_transAlphaTarget = 0;
      } else {
        ++m_transStep;
      }
      break;
  }
}

void CSelvarinFrame::Warp() {
  if (CSelvarinView* view = GetView()) {
    view->m_yaw = m_transYaw;
    view->m_targetYaw = m_transYaw;
    view->SetLookAt(m_warpPos);
  }
  g_carriedYaw = m_transYaw;
  CSelvarinContext* context = GetContext();
  if (CSelvarinActor* player = context != nullptr ? context->m_player : nullptr) {
    player->OnMessage(nullptr, selvarinframetransition::kWarpMessage, selvarinframetransition::WholeNumber(m_warpPos.x), selvarinframetransition::WholeNumber(m_warpPos.z), selvarinframetransition::WholeNumber(m_warpPos.y));
  }
}
