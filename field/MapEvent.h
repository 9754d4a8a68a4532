#pragma once
// An invisible named box on a field map that runs map-script sections when
// the player walks into or out of it, after a countdown, or on request.
#include <cstdint>
#include <string>

#include "engine/Math.h"
#include "script/ScriptPosition.h"

class CSelvarinActor;

struct MapEvent {
  // Fixed: the world file gives the box no height.
  static constexpr float kHalfHeight = 10.0f;

  // The per-tick test against the player.
  void Test(const CSelvarinActor& player);
  void SetTarget(int32_t countdown, int32_t line);
  void SetData(int32_t line) { m_requestLine = line; }
  void RunRequested();

  ScriptPosition m_script;  // its condition stack lives from run to run
  Vec3 m_centre;
  float m_halfX = 0.0f, m_halfZ = 0.0f;
  int32_t m_inside = 0;
  int32_t m_requestLine = 0;
  int32_t m_timerLine = 0;
  int32_t m_countdown = 0;
  std::string m_name;
  int32_t m_enterLine = -1, m_leaveLine = -1, m_initLine = -1;

 private:
  void Run(int32_t line);
};
