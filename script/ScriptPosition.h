#pragma once
// What a caller hands to the event-script runner: where to start, whose
// script it is, and the caller's own condition stack, kept from run to run.
#include <cstdint>
#include <deque>
#include <string>

struct ScriptPosition {
  int32_t m_line = -1;           // the first line to run, one past the label
  std::string m_name;            // the subject's name; empty for the game frame
  std::deque<int> m_conditions;  // owned by the caller
};

// The object whose map-script section runs; map events, villagers and props
// write their name here before they run a script.
extern std::string g_scriptObjectName;

// While set, the party followers stay hidden at the leader's feet.
extern int32_t g_actionMode;
