#pragma once
// The keyboard read as a ten-button pad. Game code looks only at the derived
// button states, which tell a fresh press from a held key, a release and a
// second press shortly after the first.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

inline constexpr int kControllerButtons = 10;

// Buttons 0 to 3 are the directions; 4 to 9 are action buttons.
enum PadButton : int { kPadUp = 0, kPadLeft = 1, kPadRight = 2, kPadDown = 3 };

// Button states (the mouse's buttons use 0 to 3).
enum ButtonState : int32_t {
  kStateUp = 0,
  kStatePressed = 1,       // went down this update
  kStateHeld = 2,
  kStateReleased = 3,      // went up this update
  kStatePressedAgain = 4,  // went down again within the repeat window
};

// One snapshot of a controller. Direction codes go clockwise from 1 = up:
// 1 up, 2 up-right, 3 right, 4 down-right, 5 down, 6 down-left, 7 left,
// 8 up-left; 0 none.
struct ControllerFrame {
  int32_t direction = 0;
  std::array<int32_t, kControllerButtons> buttons{};
};
static_assert(sizeof(ControllerFrame) == 44);

// A press this update: a fresh one or a second within the repeat window.
inline bool IsNewlyPressed(int32_t state) { return state == kStatePressed || state == kStatePressedAgain; }

class CController {
 public:
  virtual ~CController() = default;
  virtual void SetState(const ControllerFrame& frame);
  // Reads the raw flags of the device; the base has none.
  virtual void Poll() {}
  virtual void GetState(ControllerFrame* frame) const;

  // Derives the direction and the button states from the raw flags.
  void UpdateDirection();

  int32_t m_direction = 0;
  std::array<int32_t, kControllerButtons> m_buttons{};
  std::array<bool, kControllerButtons> m_down{};
  std::array<bool, kControllerButtons> m_wasDown{};
  std::array<int32_t, kControllerButtons> m_repeat{};
  int32_t m_repeatWindow = 15;
};

class CKeyPad : public CController {
 public:
  // Binds or rebinds one button to a virtual-key code.
  void BindKey(int button, int virtualKey);
  // A button with no key reads as up.
  void Poll() override;

  std::map<int, int> m_keys;  // button -> virtual-key code
};

// The process-wide list of controllers, polled once a pass.
class CControllerList {
 public:
  static CControllerList& GetInstance();
  CKeyPad* AddKeyPad();
  void Update();
  void Clear();

  std::vector<std::unique_ptr<CController>> m_controllers;
};

// The keyboard pad that start-up makes and every frame reads.
extern CKeyPad* g_pMainKeyPad;
