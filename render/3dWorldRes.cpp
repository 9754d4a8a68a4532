#include "render/3dWorldRes.h"

#include <cstring>

#include "engine/FieldReader.h"
#include "engine/FileStream.h"
#include "engine/LittleEndian.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(C3dWorldRes, "rsw", ".\\");

namespace {
namespace worldres3d {

constexpr uint32_t kHeaderNameSize = 40;
constexpr uint32_t kNameSize = 80;
constexpr int kMaxMinor = 6;

bool ReadModel(FieldReader& r, int minor, WorldModelPlacement& m) {
  if (minor >= 3) {
    r.Text(kHeaderNameSize, m.name).I32(m.flags).F32(m.animSpeed).I32(m.value);
    if (!(m.animSpeed > 0.0f) || m.animSpeed > 100.0f) m.animSpeed = 1.0f;
  }
  r.Text(kNameSize, m.modelName).Text(kNameSize, m.nodeName);
  return r.Vec(m.position).Vec(m.rotation).Vec(m.scale).ok();
}

bool ReadCharacter(FieldReader& r, WorldCharacter& c) {
  r.Text(kNameSize, c.name).Text(kNameSize, c.sprName).I32(c.kind).I32(c.value);
  for (uint32_t& word : c.words) r.U32(word);
  return r.Vec(c.position).Skip(12).ok();
}

bool ReadFieldEnemy(FieldReader& r, WorldFieldEnemy& e) {
  r.Text(kNameSize, e.name).Text(kNameSize, e.sprName).Skip(4);
  for (float& value : e.values) r.F32(value);
  return r.Vec(e.position).Skip(4).ok();
}

bool ReadParticleMaker(FieldReader& r, WorldParticleMaker& p) {
  return r.Text(kNameSize, p.name).Vec(p.position).I32(p.kind).ok();
}

bool ReadSoundSource(FieldReader& r, WorldSoundSource& s) {
  r.Text(kNameSize, s.name).Text(kNameSize, s.waveName).Vec(s.position);
  return r.I32(s.settings[0]).I32(s.settings[1]).ok();
}

bool Read3dFieldEnemy(FieldReader& r, World3dFieldEnemy& e) {
  r.Text(kNameSize, e.name).Text(kNameSize, e.modelName).Vec(e.position).F32(e.speed).Skip(8);
  for (float& value : e.ranges) r.F32(value);
  return r.I32(e.frameDelay).ok();
}

bool Read3dModel(FieldReader& r, World3dModel& m) {
  r.Text(kNameSize, m.name).Text(kNameSize, m.modelName).Vec(m.position).Vec(m.rotation);
  return r.Skip(16).I32(m.speed).ok();
}

// Reads one record into a new entry at the end of its list.
template <class Record, class Reader>
bool Append(std::vector<Record>& list, Reader read) {
  Record record;
  if (!read(record)) return false;
  list.push_back(std::move(record));
  return true;
}

}  // namespace worldres3d
}  // namespace

float WorldCharacter::WordAsFloat(int index) const {
  float value;
  std::memcpy(&value, &words.at(static_cast<size_t>(index)), sizeof value);
  return value;
}

bool C3dWorldRes::Load(const std::string& name) {
  Reset();
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLogf("C3dWorldRes :: cannot open %s", name.c_str());
    return false;
  }
  if (Parse(file)) return true;
  Reset();
  return false;
}

bool C3dWorldRes::Parse(CMemFile& file) {
  char magic[4];
  if (!file.Read(magic, sizeof magic) || std::memcmp(magic, "QZSW", sizeof magic) != 0) {
    DebugLog("Invalid Format");
    return false;
  }
  uint8_t version[2];
  if (!file.Read(version, sizeof version) || version[0] != 1 || version[1] > worldres3d::kMaxMinor) {
    DebugLog("C3dWorldRes :: Unsupported Version");
    return false;
  }
  const int minor = version[1];
  if (!ReadHeader(file, minor)) {
    DebugLogf("C3dWorldRes :: truncated header in %s", file.GetName().c_str());
    return false;
  }
  ComputeLightDir();
  return ReadObjects(file, minor);
}

bool C3dWorldRes::ReadHeader(CMemFile& file, int minor) {
  FieldReader r(file);
  std::string ignored;
  r.Text(worldres3d::kHeaderNameSize, ignored).Text(worldres3d::kHeaderNameSize, m_groundName);
  if (minor >= 4) r.Text(worldres3d::kHeaderNameSize, m_attrName);
  r.Text(worldres3d::kHeaderNameSize, m_scriptName);
  if (minor >= 3) r.I32(m_mapValue);
  if (minor >= 5) {
    r.I32(m_lightLongitude).I32(m_lightLatitude).Vec(m_diffuse).Vec(m_ambient);
  }
  if (minor >= 6) {
    for (int32_t& bound : m_bounds) r.I32(bound);
  }
  return r.ok();
}

// The image of the unit y vector under a turn about x by the latitude, then
// about y by the longitude.
void C3dWorldRes::ComputeLightDir() {
  Matrix m;
  m.MakeRotationX(static_cast<float>(m_lightLatitude) * kDegToRad);
  m.RotateY(static_cast<float>(m_lightLongitude) * kDegToRad);
  m_lightDir = Vec3{m.m[3], m.m[4], m.m[5]};
}

bool C3dWorldRes::ReadObjects(CMemFile& file, int minor) {
  int32_t count = 0;
  if (!ReadI32(file, count) || count < 0 || count > BytesLeft(file) / 4) {
    DebugLogf("C3dWorldRes :: bad object count %d in %s", count, file.GetName().c_str());
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    int32_t type = 0;
    if (!ReadI32(file, type)) {
      DebugLogf("C3dWorldRes :: %d of %d objects in %s", i, count, file.GetName().c_str());
      return false;
    }
    if (type < 1 || type > 7) {
      // What follows cannot be read in step: the objects so far stay.
      DebugLogf("not implemented type : %d", type);
      return true;
    }
    if (!ReadObject(file, type, minor)) {
      DebugLogf("C3dWorldRes :: truncated object %d in %s", i, file.GetName().c_str());
      return false;
    }
  }
  return true;
}

bool C3dWorldRes::ReadObject(CMemFile& file, int32_t type, int minor) {
  FieldReader r(file);
  switch (type) {
    case 1:
      return worldres3d::Append(m_models, [&](WorldModelPlacement& m) { return worldres3d::ReadModel(r, minor, m); });
    case 2:
      return worldres3d::Append(m_characters, [&](WorldCharacter& c) { return worldres3d::ReadCharacter(r, c); });
    case 3:
      return worldres3d::Append(m_fieldEnemies, [&](WorldFieldEnemy& e) { return worldres3d::ReadFieldEnemy(r, e); });
    case 4:
      return worldres3d::Append(m_particleMakers, [&](WorldParticleMaker& p) { return worldres3d::ReadParticleMaker(r, p); });
    case 5:
      return worldres3d::Append(m_soundSources, [&](WorldSoundSource& s) { return worldres3d::ReadSoundSource(r, s); });
    case 6:
      return worldres3d::Append(m_3dFieldEnemies, [&](World3dFieldEnemy& e) { return worldres3d::Read3dFieldEnemy(r, e); });
    default:
      return worldres3d::Append(m_3dModels, [&](World3dModel& m) { return worldres3d::Read3dModel(r, m); });
  }
}

void C3dWorldRes::Reset() {
  m_models.clear();
  m_characters.clear();
  m_fieldEnemies.clear();
  m_particleMakers.clear();
  m_soundSources.clear();
  m_3dFieldEnemies.clear();
  m_3dModels.clear();
  m_groundName.clear();
  m_attrName.clear();
  m_scriptName.clear();
  m_mapValue = 0;
  m_lightLongitude = 45;
  m_lightLatitude = 45;
  m_lightDir = Vec3{};
  m_diffuse = Vec3{1.0f, 1.0f, 1.0f};
  m_ambient = Vec3{0.3f, 0.3f, 0.3f};
  m_bounds = {-500, 500, -500, 500};
}
