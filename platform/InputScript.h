#pragma once
// Scripted input for headless runs and end-to-end tests: a text file named by
// the environment variable SLV_INPUT_SCRIPT, one event per line:
//   <pass> close                  the window is closed
//   <pass> key <code> down|up     a virtual-key code (number, or a name below)
//   <pass> activate <wParam>      an activation message (0 = deactivated)
//   <pass> mouse move <dx> <dy>   relative pointer motion in pixels
//   <pass> mouse wheel <n>        n wheel notches (120 units each; + away from the user)
//   <pass> mouse left|right down|up
// Mouse events reach the game only while its mouse is acquired (the window is
// active); values beyond +-1000000 are rejected.
// <pass> counts the frame loops' passes from 1. "#" starts a comment. Key
// names: esc, enter, space, left, up, right, down, f1..f12, a..z, 0..9.
// In place of a number, <pass> may be <anchor>[/<n>]+<offset>: the event
// comes <offset> passes after the game marks the anchor for the n-th time
// (n from 1, the first when left out), so a run's keys follow the game's
// events rather than its timing. The game marks:
//   battle   a battle begins
//   menu     a party member's command menu opens
//   words    a battle script's speaker starts a line
//   result   a won battle's result screen begins
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ScriptedEvent {
  uint64_t pass = 0;            // 0 while it waits for its anchor
  std::string anchor;           // empty: the pass is absolute
  int occurrence = 1;
  uint64_t offset = 0;
  std::string kind;             // "close", "key", "activate", or a kind other modules read
  std::vector<std::string> args;
};

// Parses a script; malformed lines are logged and skipped.
std::vector<ScriptedEvent> ParseInputScript(const std::string& text);
// Replaces the running script (tests). Events are delivered in pass order.
void SetInputScript(std::vector<ScriptedEvent> events);
// Whether the environment names an input script.
bool IsScriptedRun();
// Loads SLV_INPUT_SCRIPT once, if set.
void LoadInputScriptFromEnvironment();
// Removes and returns the events due at or before the pass.
std::vector<ScriptedEvent> TakeScriptedEvents(uint64_t pass);
// Events not waiting for an anchor are pending.
bool HasPendingScriptedEvents();
// The game reports one of the anchors above; events waiting for it are
// timed from the pass now running.
void MarkScriptAnchor(const std::string& anchor);

// Other input modules (the mouse) claim the kinds they understand.
using ScriptedEventHandler = bool (*)(const ScriptedEvent& event);
void AddScriptedEventHandler(ScriptedEventHandler handler);
bool DispatchScriptedEventToHandlers(const ScriptedEvent& event);

int ParseVirtualKeyName(const std::string& name);  // 0 when unknown

}  // namespace platform
