#pragma once
// The base of every resource: loaded once by the resource manager, cached by
// name and borrowed by its users, who never delete it.
#include <cstdint>
#include <string>

// Unlocked resources unused this long are freed; the texture caches use the
// same limit.
inline constexpr uint32_t kResAgeLimitMs = 20000;

class CRes {
 public:
  virtual ~CRes() = default;
  // A new default instance of the object's own class, owned by the caller.
  virtual CRes* Create() const = 0;
  virtual bool Load(const std::string& name) = 0;
  // Frees the loaded data. The manager does not always call it before
  // deleting, so a derived class frees its data in its destructor too.
  virtual void Reset() {}

  int32_t m_lockCount = 0;
  uint32_t m_lastUseTime = 0;  // milliseconds of platform::NowMs
  uint8_t m_mark = 0;
};

// Declares Create for a concrete resource class; put it first in the class body.
#define SLV_RES(Class)                             \
 public:                                           \
  CRes* Create() const override { return new Class; }
