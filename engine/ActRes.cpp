#include "engine/ActRes.h"

#include <cmath>
#include <limits>

#include "engine/FileStream.h"
#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CActRes, "act", "sprite\\");

namespace {
namespace actres {

constexpr uint16_t kActMagic = 0x4341;  // "AC"
constexpr uint16_t kLayoutV2 = 0x200;   // 32-byte layers, centred positions, event index
constexpr uint16_t kLastKnownVersion = 0x2000;
constexpr int32_t kHeaderBytes = 16;
constexpr int32_t kEventNameBytes = 40;
constexpr int32_t kMaxLayerImage = 1000;

int64_t LayerBytes(uint16_t version) { return version >= kLayoutV2 ? 32 : 16; }
int64_t MotionBytes(uint16_t version) { return version >= kLayoutV2 ? 40 : 36; }

// A count that is negative or that the rest of the file cannot hold fails.
bool CheckCount(const CMemFile& file, int32_t count, int64_t itemBytes, const char* what) {
  if (count >= 0 && count * itemBytes <= BytesLeft(file)) return true;
  DebugLogf("Act :: %s count %d does not fit the file : %s", what, count, file.GetName().c_str());
  return false;
}

// An i32 count, then that many items read by `readOne`.
template <class T, class ReadOne>
bool ReadCounted(CMemFile& file, int64_t itemBytes, const char* what, std::vector<T>& items, ReadOne readOne) {
  int32_t count;
  if (!ReadI32(file, count) || !CheckCount(file, count, itemBytes, what)) return false;
  items.resize(static_cast<size_t>(count));
  for (T& item : items) {
    if (!readOne(item)) return false;
  }
  return true;
}

// (v - scale * ceil(size / 2)) / scale cut toward zero; false when that is
// no int32 (a scale of 0, say).
bool CornerFromCenter(int32_t v, int32_t size, float scale, int32_t* out) {
  const double s = scale;
  const double corner = std::trunc((v - s * ((size + 1) / 2)) / s);
  if (!(corner >= std::numeric_limits<int32_t>::min() && corner <= std::numeric_limits<int32_t>::max())) {
    return false;
  }
  *out = static_cast<int32_t>(corner);
  return true;
}

}  // namespace actres
}  // namespace

uint32_t ActLayer::Modulate(uint32_t argb) const {
  const uint32_t layer = Argb();
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t product = (layer >> shift & 0xFF) * (argb >> shift & 0xFF);
    out |= static_cast<uint32_t>(static_cast<float>(product) * (1.0f / 255.0f)) << shift;
  }
  return out;
}

bool CActRes::Load(const std::string& name) {
  Reset();
  m_name = name;
  CFileStream stream;
  if (!stream.Open(name, CFileStream::kRead)) {
    DebugLog("Cannot find File : " + name);
    return false;
  }
  CMemFile file;
  const bool parsed = file.Load(stream) && Parse(file);
  m_companion = nullptr;
  m_companionFetched = false;
  if (!parsed) {
    DebugLog("Act :: Cannot load File : " + name);
    Reset();
  }
  return parsed;
}

bool CActRes::Parse(CMemFile& file) {
  uint16_t magic, actionCount;
  if (file.GetSize() < actres::kHeaderBytes || !ReadU16(file, magic) || !ReadU16(file, m_version) ||
      !ReadU16(file, actionCount)) {
    DebugLog("Act :: File too short : " + file.GetName());
    return false;
  }
  if (magic != actres::kActMagic) {
    DebugLog("Act :: Not an animation file : " + file.GetName());
    return false;
  }
  if (m_version > actres::kLastKnownVersion) DebugLog("Unsupported Version. Content may be corrupted");
  file.Seek(actres::kHeaderBytes, 0);
  if (!actres::CheckCount(file, actionCount, 4, "action")) return false;
  m_actions.resize(actionCount);
  const auto readMotion = [this, &file](ActMotion& motion) { return ReadMotion(file, motion); };
  for (ActAction& action : m_actions) {
    if (!actres::ReadCounted(file, actres::MotionBytes(m_version), "motion", action.motions, readMotion)) return false;
  }
  return m_version <= actres::kLayoutV2 || ReadEventNames(file);
}

bool CActRes::ReadMotion(CMemFile& file, ActMotion& motion) {
  for (int32_t& v : motion.box1) {
    if (!ReadI32(file, v)) return false;
  }
  for (int32_t& v : motion.box2) {
    if (!ReadI32(file, v)) return false;
  }
  const auto readLayer = [this, &file](ActLayer& layer) { return ReadLayer(file, layer); };
  if (!actres::ReadCounted(file, actres::LayerBytes(m_version), "layer", motion.layers, readLayer)) return false;
  if (m_version >= actres::kLayoutV2) {
    if (!ReadI32(file, motion.eventIndex)) return false;
    if (m_version == actres::kLayoutV2) motion.eventIndex = -1;  // not yet meaningful in these files
  }
  return true;
}

bool CActRes::ReadLayer(CMemFile& file, ActLayer& layer) {
  if (!ReadI32(file, layer.x) || !ReadI32(file, layer.y) || !ReadI32(file, layer.sprite) ||
      !ReadI32(file, layer.mirror)) {
    return false;
  }
  if (m_version < actres::kLayoutV2) return true;
  if (!file.Read(layer.color, sizeof layer.color) || !ReadF32(file, layer.scale) ||
      !ReadI32(file, layer.value2) || !ReadI32(file, layer.kind)) {
    return false;
  }
  if (layer.sprite < 0 || layer.sprite >= actres::kMaxLayerImage) {
    DebugLog("스프라이트 파일이 이상함. 문의 요망");
    DebugLog(CompanionName());
    layer.sprite = 0;
  }
  CenterToCorner(layer);
  return true;
}

void CActRes::CenterToCorner(ActLayer& layer) {
  const CSprRes* sprites = Companion();
  int32_t width, height, x, y;
  // Without the image the position stays as stored.
  if (sprites == nullptr || !sprites->GetImageSize(layer.kind, layer.sprite, &width, &height)) return;
  if (!actres::CornerFromCenter(layer.x, width, layer.scale, &x) || !actres::CornerFromCenter(layer.y, height, layer.scale, &y)) {
    return;
  }
  layer.x = x;
  layer.y = y;
}

std::string CActRes::CompanionName() const {
  return m_name.substr(0, m_name.size() >= 4 ? m_name.size() - 4 : 0) + ".spr";
}

const CSprRes* CActRes::Companion() {
  if (!m_companionFetched) {
    m_companionFetched = true;
    m_companion = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetResStr(CompanionName()));
  }
  return m_companion;
}

bool CActRes::ReadEventNames(CMemFile& file) {
  return actres::ReadCounted(file, actres::kEventNameBytes, "event", m_eventNames, [&file](std::string& name) {
    char text[actres::kEventNameBytes];
    if (!file.Read(text, actres::kEventNameBytes)) return false;
    size_t length = 0;
    while (length < sizeof text && text[length] != '\0') ++length;
    name.assign(text, length);
    return true;
  });
}

void CActRes::Reset() {
  m_actions.clear();
  m_eventNames.clear();
}

const ActAction* CActRes::GetAction(int actId) const {
  return actId >= 0 && actId < GetActionCount() ? &m_actions[static_cast<size_t>(actId)] : nullptr;
}

int CActRes::GetMotionCount(int actId) const {
  const ActAction* action = GetAction(actId);
  return action != nullptr ? static_cast<int>(action->motions.size()) : 0;
}

const ActMotion* CActRes::GetMotion(int actId, int motId) const {
  const ActAction* action = GetAction(actId);
  if (action == nullptr || motId < 0 || motId >= static_cast<int>(action->motions.size())) return nullptr;
  return &action->motions[static_cast<size_t>(motId)];
}

const char* CActRes::GetEventName(int i) const {
  return i >= 0 && i < GetEventCount() ? m_eventNames[static_cast<size_t>(i)].c_str() : nullptr;
}
