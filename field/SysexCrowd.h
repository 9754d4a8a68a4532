#pragma once
// A shout over an actor: a text that sits above its owner for a while. The
// game frame draws the texts of its caption list at the screen points their
// drawing stores. The owner keeps a pointer to its crowd caption, which the
// caption clears when it ends or goes.
#include <cstdint>
#include <string>

#include "field/SelvarinActor.h"

class CSysexCrowd : public CSelvarinActor {
  SLV_OBJECT(CSysexCrowd)
 public:
  static constexpr int32_t kAboveOwner = 23;

  CSysexCrowd() = default;
  // Leaves the owner and the game frame's caption list.
  ~CSysexCrowd() override;
  CSysexCrowd(const CSysexCrowd&) = delete;
  CSysexCrowd& operator=(const CSysexCrowd&) = delete;

  using CSelvarinActor::Init;
  void Init(const char* text, int32_t screenX, int32_t screenY, CSelvarinActor* owner, int32_t value);
  // Over the owner until its lifetime has passed; false once it has ended.
  bool OnProcess() override;
  // 29 ends it; other codes as any sprite character.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Only its screen point, for the frame's text drawing.
  void Render(CRC& rc, const Matrix& view) override;

  CSelvarinActor* GetOwner() const { return m_owner; }

  std::string m_text;
  int32_t m_value = 0;  // kept for battle code
  int32_t m_lifetime = 100;
  int32_t m_tick = 0;

 private:
  void End();

  CSelvarinActor* m_owner = nullptr;
};
