#include "tools/lib/RswWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

namespace {

}  // namespace

void RswWriter::SetNames(const std::string& ground, const std::string& attr,
                         const std::string& script) {
  m_ground = ground;
  m_attr = attr;
  m_script = script;
}

void RswWriter::SetLight(int32_t longitude, int32_t latitude, const Vec3& diffuse,
                         const Vec3& ambient) {
  m_longitude = longitude;
  m_latitude = latitude;
  m_diffuse = diffuse;
  m_ambient = ambient;
}

void RswWriter::AddRaw(int32_t type, const std::string& record) {
  PutI32(m_objects, type);
  m_objects += record;
  ++m_added;
}

void RswWriter::Add(const WorldModelPlacement& m) {
  std::string r;
  if (m_minor >= 3) {
    PutText(r, m.name, 40);
    PutI32(r, m.flags);
    PutF32(r, m.animSpeed);
    PutI32(r, m.value);
  }
  PutText(r, m.modelName, 80);
  PutText(r, m.nodeName, 80);
  PutVec(r, m.position);
  PutVec(r, m.rotation);
  PutVec(r, m.scale);
  AddRaw(1, r);
}

void RswWriter::Add(const WorldCharacter& c) {
  std::string r;
  PutText(r, c.name, 80);
  PutText(r, c.sprName, 80);
  PutI32(r, c.kind);
  PutI32(r, c.value);
  for (uint32_t word : c.words) PutU32(r, word);
  PutVec(r, c.position);
  r.append(12, '\0');
  AddRaw(2, r);
}

void RswWriter::Add(const WorldFieldEnemy& e) {
  std::string r;
  PutText(r, e.name, 80);
  PutText(r, e.sprName, 80);
  r.append(4, '\0');
  for (float value : e.values) PutF32(r, value);
  PutVec(r, e.position);
  r.append(4, '\0');
  AddRaw(3, r);
}

void RswWriter::Add(const WorldParticleMaker& p) {
  std::string r;
  PutText(r, p.name, 80);
  PutVec(r, p.position);
  PutI32(r, p.kind);
  AddRaw(4, r);
}

void RswWriter::Add(const WorldSoundSource& s) {
  std::string r;
  PutText(r, s.name, 80);
  PutText(r, s.waveName, 80);
  PutVec(r, s.position);
  for (int32_t setting : s.settings) PutI32(r, setting);
  AddRaw(5, r);
}

void RswWriter::Add(const World3dFieldEnemy& e) {
  std::string r;
  PutText(r, e.name, 80);
  PutText(r, e.modelName, 80);
  PutVec(r, e.position);
  PutF32(r, e.speed);
  r.append(8, '\0');
  for (float value : e.ranges) PutF32(r, value);
  PutI32(r, e.frameDelay);
  AddRaw(6, r);
}

void RswWriter::Add(const World3dModel& m) {
  std::string r;
  PutText(r, m.name, 80);
  PutText(r, m.modelName, 80);
  PutVec(r, m.position);
  PutVec(r, m.rotation);
  r.append(16, '\0');
  PutI32(r, m.speed);
  AddRaw(7, r);
}

std::string RswWriter::Build() const {
  std::string out = "QZSW";
  out.push_back(1);
  out.push_back(static_cast<char>(m_minor));
  PutText(out, m_title, 40);
  PutText(out, m_ground, 40);
  if (m_minor >= 4) PutText(out, m_attr, 40);
  PutText(out, m_script, 40);
  if (m_minor >= 3) PutI32(out, m_mapValue);
  if (m_minor >= 5) {
    PutI32(out, m_longitude);
    PutI32(out, m_latitude);
    PutVec(out, m_diffuse);
    PutVec(out, m_ambient);
  }
  if (m_minor >= 6) {
    for (int32_t bound : m_bounds) PutI32(out, bound);
  }
  PutI32(out, m_count.value_or(m_added));
  return out + m_objects;
}

}  // namespace slvtools
