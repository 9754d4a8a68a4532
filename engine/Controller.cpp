#include "engine/Controller.h"

#include "platform/Keys.h"

namespace {

int DirectionOf(bool u, bool l, bool r, bool d) {
  if (u) return l ? 8 : r ? 2 : 1;
  if (d) return l ? 6 : r ? 4 : 5;
  if (l) return 7;
  if (r) return 3;
  return 0;
}

}  // namespace

void CController::SetState(const ControllerFrame& frame) {
  m_direction = frame.direction;
  m_buttons = frame.buttons;
}

void CController::GetState(ControllerFrame* frame) const {
  frame->direction = m_direction;
  frame->buttons = m_buttons;
}

void CController::UpdateDirection() {
  m_direction = DirectionOf(m_down[kPadUp], m_down[kPadLeft], m_down[kPadRight], m_down[kPadDown]);
  for (int i = 0; i < kControllerButtons; ++i) {
    if (!m_down[i]) {
      m_buttons[i] = m_wasDown[i] ? kStateReleased : kStateUp;
    } else if (m_wasDown[i]) {
      m_buttons[i] = kStateHeld;
    } else if (m_repeat[i] != 0) {
      m_buttons[i] = kStatePressedAgain;
    } else {
      m_buttons[i] = kStatePressed;
      m_repeat[i] = m_repeatWindow;
    }
  }
  for (int i = 0; i < kControllerButtons; ++i) {
    m_wasDown[i] = m_down[i];
    if (m_repeat[i] != 0) --m_repeat[i];
  }
}

void CKeyPad::BindKey(int button, int virtualKey) { m_keys[button] = virtualKey; }

void CKeyPad::Poll() {
  for (int i = 0; i < kControllerButtons; ++i) {
    const auto key = m_keys.find(i);
    m_down[i] = key != m_keys.end() && (platform::GetKeyState(key->second) & 0xFF00) != 0;
  }
  UpdateDirection();
}

CControllerList& CControllerList::GetInstance() {
  static CControllerList list;
  return list;
}

CKeyPad* CControllerList::AddKeyPad() {
  m_controllers.push_back(std::make_unique<CKeyPad>());
  return static_cast<CKeyPad*>(m_controllers.back().get());
}

void CControllerList::Update() {
  for (const auto& controller : m_controllers) controller->Poll();
}

void CControllerList::Clear() { m_controllers.clear(); }

CKeyPad* g_pMainKeyPad = nullptr;
