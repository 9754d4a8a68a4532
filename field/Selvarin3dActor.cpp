#include "field/Selvarin3dActor.h"

#include <algorithm>

#include "field/PickRegionList.h"
#include "field/SelvarinFrame.h"
#include "field/Truncation.h"
#include "render/RC.h"

SLV_REGISTER_ACTOR(CSelvarin3dActor, "selvarin3dactor");

namespace {

constexpr int32_t kRangeLength = 1600;  // keyframe time of one numbered range
constexpr int32_t kRangeTail = 480;     // left unplayed at a range's end
constexpr int32_t kWholeTail = 160;     // the same for range 0, the whole track
constexpr int kPickKind = 3;

// 1600 x a less the given tail, saturated rather than overflowed.
int32_t RangeTime(intptr_t a, int32_t tail) {
  const int64_t range = std::clamp<int64_t>(a, INT32_MIN, INT32_MAX);
  return SaturateInt32(kRangeLength * range - tail);
}

}  // namespace

CSelvarin3dActor::~CSelvarin3dActor() {
  ForgetPickedActor(this);
  // Nor may the message window tell a prop that is gone.
  if (CSelvarinFrame* frame = GetGameFrame(); frame != nullptr && frame->m_pMessage3dActor == this) {
    frame->m_pMessage3dActor = nullptr;
  }
}

void CSelvarin3dActor::Init() {
  m_state = kClosed;
  m_frame = 0;
  m_tick = 0;
}

void CSelvarin3dActor::SetState(int32_t state) {
  m_state = state;
  m_tick = 0;
}

void CSelvarin3dActor::RunScript(int32_t line) {
  if (line < 0) return;
  if (CSelvarinFrame* frame = GetGameFrame()) frame->RunEventScript(line, m_name, m_scriptStack);
}

bool CSelvarin3dActor::OnProcess() {
  if (m_delayed.pending != 0 && m_delayed.delay < m_tick) {
    m_delayed.pending = 0;
    RunScript(m_delayed.line);
  }
  ++m_tick;
  UpdateAction(m_state);
  return true;
}

int CSelvarin3dActor::UpdateAction(int state) {
  const double step = static_cast<double>(m_animSpeed * static_cast<float>(kFrameStep));
  switch (state) {
    case kOpening:
      m_frame = TruncateClamped(step + m_frame);
      if (m_frame >= m_rangeEnd) {
        m_frame = m_rangeEnd;
        SetState(kOpen);
      }
      break;
    case kClosing:
      m_frame = TruncateClamped(m_frame - step);
      if (m_frame <= m_rangeStart) {
        m_frame = m_rangeStart;
        SetState(kClosed);
      }
      break;
    case kLooping:
      m_frame = TruncateClamped(step + m_frame);
      if (m_frame >= m_animLen - 1) m_frame = 0;
      break;
    case kPlayOnce:
      m_frame = TruncateClamped(step + m_frame);
      if (m_frame >= m_animLen - kFrameStep) {
        m_frame = 0;
        SetState(kClosed);
      }
      break;
    default:
      return 1;
  }
  SetAnimFrame(m_frame);
  return 1;
}

void CSelvarin3dActor::SelectRange(intptr_t a) {
  m_rangeStart = a != 0 ? RangeTime(a, kRangeLength) : 0;
  m_rangeEnd = a != 0 ? RangeTime(a, kRangeTail) : m_animLen - kWholeTail;
}

void CSelvarin3dActor::OnMessage(CObject*, int code, intptr_t a, intptr_t b, intptr_t) {
  switch (code) {
    case 0: {
      const CSelvarinFrame* frame = GetGameFrame();
      if (m_actionLine < 0 || frame == nullptr || frame->m_messageState != 0 || frame->m_choiceCount != 0) return;
      g_scriptObjectName = m_name;
      RunScript(m_actionLine);
      return;
    }
    case 7:
      SelectRange(a);
      m_frame = m_rangeStart;
      SetState(kOpening);
      return;
    case 8:
      SelectRange(a);
      m_frame = m_rangeEnd;
      SetState(kClosing);
      return;
    case 9:
      SetState(kPlayOnce);
      return;
    case 10:
      SetState(kLooping);
      return;
    case 11:
      RunScript(m_initLine);
      return;
    case 12:
      m_storedLine = static_cast<int32_t>(std::clamp<intptr_t>(a, INT32_MIN, INT32_MAX));
      return;
    case 13:
      // The message window sends this after every message; -1 runs nothing.
      RunScript(m_storedLine);
      return;
    case 17:
      m_delayed.delay = static_cast<int32_t>(std::clamp<intptr_t>(a, INT32_MIN, INT32_MAX));
      m_delayed.line = static_cast<int32_t>(std::clamp<intptr_t>(b, INT32_MIN, INT32_MAX));
      m_delayed.pending = 1;
      m_tick = 0;
      return;
    default:
      return;
  }
}

void CSelvarin3dActor::Render(CRC& rc, const Matrix& view) {
  ScreenCorners s;
  if (!ProjectCorners(rc, view, s)) {
    m_faceRecords.Unlink();  // what an earlier draw queued
    return;
  }
  if (m_actionLine >= 0) {
    float left = s[0].x, right = s[0].x, bottom = s[0].y, top = s[4].y;
    for (int i = 0; i < 4; ++i) {
      left = std::min(left, s[i].x);
      right = std::max(right, s[i].x);
      bottom = std::max(bottom, s[i].y);
      top = std::min(top, s[i + 4].y);
    }
    g_pickRegionList.Add(PickEdge(left), PickEdge(right), PickEdge(top), PickEdge(bottom), kPickKind, this);
  }
  DrawInstance(rc, view);
}
