#pragma once
// The system mouse as a buffered device: while acquired, every motion, wheel
// turn and button change is queued as one record, oldest first, until the
// game takes it. The records come from SDL's events and from scripted input
// ("mouse" lines, see InputScript.h).
#include <cstddef>
#include <cstdint>

union SDL_Event;

namespace platform {

// What a record reports.
enum MouseObject : uint32_t {
  MOUSE_X = 0,      // motion in pixels since the last position
  MOUSE_Y = 1,
  MOUSE_WHEEL = 2,  // MOUSE_WHEEL_NOTCH a notch, positive away from the user
  MOUSE_LEFT = 3,   // MOUSE_BUTTON_DOWN set while down
  MOUSE_RIGHT = 4,
};

inline constexpr int32_t MOUSE_WHEEL_NOTCH = 120;
inline constexpr int32_t MOUSE_BUTTON_DOWN = 0x80;

struct MouseRecord {
  uint32_t object = MOUSE_X;
  int32_t value = 0;
  bool operator==(const MouseRecord&) const = default;
};

struct MouseDevice;

// Opens the one system mouse with room for bufferSize records (a full buffer
// drops newer records). Null when it is open already or bufferSize is 0.
MouseDevice* OpenMouse(size_t bufferSize);
void CloseMouse(MouseDevice* device);
// Records are queued only while the device is acquired; unacquiring drops
// what is waiting. In full screen the pointer is captured (relative motion)
// while acquired; in a window it stays free and motion records are the steps
// between its positions.
void AcquireMouse(MouseDevice* device, bool acquire);
// Full screen (the display's exclusive mode) or a window; a window by default.
void SetMouseFullScreen(bool fullScreen);
// Whether the pointer capture is asked of the system now (drivers without
// relative motion refuse it and still report steps).
bool IsMouseCaptureAsked();
// Where the game has put its own cursor: in a window the next motion record
// steps from there to the system pointer, so the game's cursor lands where
// the player's pointer is.
void SetMousePosition(MouseDevice* device, int32_t x, int32_t y);
// Takes the oldest record; false when none waits or the device is not
// acquired.
bool ReadMouseRecord(MouseDevice* device, MouseRecord* out);

// The system's side: queues a record on the open device.
void QueueMouseRecord(uint32_t object, int32_t value);
// Queues the records of an SDL mouse event (the window's pump calls this).
void TranslateMouseEvent(const SDL_Event& event);

}  // namespace platform
