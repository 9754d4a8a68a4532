#include "field/MapEvent.h"

#include "field/SelvarinActor.h"
#include "field/SelvarinFrame.h"

void MapEvent::Test(const CSelvarinActor& player) {
  const Vec3& p = player.m_pos;
  const bool inside = m_centre.x - m_halfX < p.x && p.x < m_centre.x + m_halfX && m_centre.z - m_halfZ < p.z &&
                      p.z < m_centre.z + m_halfZ && m_centre.y - kHalfHeight < p.y && p.y < m_centre.y + kHalfHeight;
  if (inside && m_inside == 0 && m_enterLine != -1) {
    g_scriptObjectName = m_name;
    Run(m_enterLine);
  } else if (!inside && m_inside == 1 && m_leaveLine != -1) {
    g_scriptObjectName = m_name;
    Run(m_leaveLine);
  }
  m_inside = inside ? 1 : 0;
  if (m_countdown == 0) return;
  // Set below zero it runs its line on every test: a per-tick timer. The
  // count wraps rather than overflows.
  m_countdown = static_cast<int32_t>(static_cast<uint32_t>(m_countdown) - 1u);
  if (m_countdown > 0) return;
  Run(m_timerLine);
}

void MapEvent::SetTarget(int32_t countdown, int32_t line) {
  m_countdown = countdown;
  m_timerLine = line;
}

void MapEvent::RunRequested() { Run(m_requestLine); }

void MapEvent::Run(int32_t line) {
  if (line == -1) return;
  if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(line, m_name, m_script);
}
