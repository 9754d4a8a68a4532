#include "tools/lib/ActWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {
namespace {

constexpr size_t kEventNameBytes = 40;

void PutLayer(std::string& out, uint16_t version, const ActLayer& layer) {
  PutI32(out, layer.x);
  PutI32(out, layer.y);
  PutI32(out, layer.sprite);
  PutI32(out, layer.mirror);
  if (version < 0x200) return;
  out.append(reinterpret_cast<const char*>(layer.color), sizeof layer.color);
  PutF32(out, layer.scale);
  PutI32(out, layer.value2);
  PutI32(out, layer.kind);
}

void PutMotion(std::string& out, uint16_t version, const ActMotion& motion) {
  for (int32_t v : motion.box1) PutI32(out, v);
  for (int32_t v : motion.box2) PutI32(out, v);
  PutI32(out, static_cast<int32_t>(motion.layers.size()));
  for (const ActLayer& layer : motion.layers) PutLayer(out, version, layer);
  if (version >= 0x200) PutI32(out, motion.eventIndex);
}

}  // namespace

std::string BuildAct(uint16_t version, const std::vector<ActAction>& actions,
                     const std::vector<std::string>& eventNames) {
  std::string out = "AC";
  PutU16(out, version);
  PutU16(out, static_cast<uint16_t>(actions.size()));
  out.append(10, '\0');
  for (const ActAction& action : actions) {
    PutI32(out, static_cast<int32_t>(action.motions.size()));
    for (const ActMotion& motion : action.motions) PutMotion(out, version, motion);
  }
  if (version > 0x200) {
    PutI32(out, static_cast<int32_t>(eventNames.size()));
    for (const std::string& name : eventNames) PutText(out, name.substr(0, kEventNameBytes - 1), kEventNameBytes);
  }
  return out;
}

}  // namespace slvtools
