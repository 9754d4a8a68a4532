#pragma once
// An ambient sound of a field map (water, wind): its wave plays looped while
// the leader is within ten times its range in x-z, and stops when the
// leader leaves.
#include <cstdint>
#include <string>

#include "field/SelvarinActor.h"

class CWave;

class CSoundSource : public CSelvarinActor {
  SLV_OBJECT(CSoundSource)
 public:
  static constexpr float kRangeUnit = 10.0f;

  // Stops its wave if it plays and lets it go.
  ~CSoundSource() override;
  // Takes and locks the wave; a name that yields no wave leaves it silent.
  void SetWave(const std::string& name);
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Nothing to draw.
  void Render(CRC& rc, const Matrix& view) override {}

  float m_range = 0.0f;
  float m_setting = 0.0f;  // the record's second setting, kept
  int32_t m_firstEntry = 1;
  // The base visible flag is the playing flag.
  CWave* m_wave = nullptr;  // locked while set

 private:
  void Start();
  void Stop();
};
