#pragma once
// The render states of the batched 3-D passes: what each sets on entry and
// what it puts back on exit. The passes differ in these values more than in
// code, so each is one row of constants.
#include <cstdint>

#include "platform/Device3D.h"

struct PassStates {
  bool spriteFilter = false;     // the sprite point-sampling switch picks the filter
  int32_t alphaRef = -1;         // set on entry, 240 put back on exit; negative: left alone
  bool additive = false;         // ONE / ONE, SRCALPHA / INVSRCALPHA put back on exit
  int32_t alphaTest = -1;        // ALPHATESTENABLE; negative: left alone
  int32_t zWrite = -1;           // ZWRITEENABLE; negative: left alone
  uint32_t zFunc = 0;            // a platform::Compare set on entry; 0: left alone
  bool depthBufferFlag = false;  // ZENABLE set to whether the device has a depth buffer
  bool restoreZFunc = false;     // LESSEQUAL put back on exit
};

// Sets a pass's entry states; puts back its exit states when it goes.
class PassScope {
 public:
  PassScope(platform::Device3D& device, const PassStates& states);
  ~PassScope();
  PassScope(const PassScope&) = delete;
  PassScope& operator=(const PassScope&) = delete;

 private:
  platform::Device3D& m_device;
  const PassStates& m_states;
};

// A pass over one queue: its states around the drawing, and the queue empty
// afterwards, drawn or not.
template <class Queue, class Draw>
void RunPass(platform::Device3D* device, const PassStates& states, Queue& queue, Draw draw) {
  if (device != nullptr) {
    PassScope scope(*device, states);
    draw(*device, queue);
  }
  queue.clear();
}

namespace pass_states {

using platform::Compare;
constexpr auto kLess = static_cast<uint32_t>(Compare::Less);
constexpr auto kEqual = static_cast<uint32_t>(Compare::Equal);
constexpr auto kLessEqual = static_cast<uint32_t>(Compare::LessEqual);
constexpr auto kAlways = static_cast<uint32_t>(Compare::Always);

inline constexpr PassStates kTextureBatches{.alphaTest = 1, .zWrite = 1};
inline constexpr PassStates kFlaggedBatches{.alphaRef = 1, .alphaTest = 0};  // depth write: the argument
inline constexpr PassStates kQuads{.alphaRef = 1, .alphaTest = 0, .zWrite = 0};  // image, texture and decal quads
inline constexpr PassStates kTrisZLess{.alphaRef = 1, .alphaTest = 1, .zWrite = 1, .zFunc = kLess,
                                       .restoreZFunc = true};
inline constexpr PassStates kEffectQuads{.spriteFilter = true, .alphaTest = 1, .zWrite = 1};
inline constexpr PassStates kAlphaTestTris{.alphaTest = 1, .zWrite = 1};
inline constexpr PassStates kSpriteQuads{.spriteFilter = true, .alphaRef = 1, .alphaTest = 0, .zWrite = 0};
inline constexpr PassStates kBlendTris{.alphaRef = 1, .alphaTest = 0, .zWrite = 1};
inline constexpr PassStates kBlendTrisTested{.alphaRef = 1, .alphaTest = 1, .zWrite = 1, .restoreZFunc = true};
inline constexpr PassStates kAdditiveTris{.alphaRef = 1, .additive = true, .alphaTest = 0, .zWrite = 1,
                                          .zFunc = kEqual, .restoreZFunc = true};
inline constexpr PassStates kTrisZLessEqual{.alphaRef = 1, .alphaTest = 1, .zWrite = 1, .zFunc = kLessEqual};
inline constexpr PassStates kTrisNoDepthTest{.alphaRef = 1, .alphaTest = 1, .zWrite = 1, .zFunc = kAlways,
                                             .depthBufferFlag = true, .restoreZFunc = true};
inline constexpr PassStates kOverlayQuads{.alphaRef = 1, .alphaTest = 0, .zWrite = 0, .zFunc = kAlways,
                                          .restoreZFunc = true};

}  // namespace pass_states
