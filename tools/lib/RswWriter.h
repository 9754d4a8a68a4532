#pragma once
// Writes world files from the world resource's own records, in the order the
// objects are added. Fields are written as given; names longer than their
// field are cut.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "render/3dWorldRes.h"

namespace slvtools {

class RswWriter {
 public:
  // Minor versions 0 to 6 of major 1; the header carries the fields of its
  // version only.
  explicit RswWriter(uint8_t minor = 6) : m_minor(minor) {}

  void SetNames(const std::string& ground, const std::string& attr, const std::string& script);
  // The name field at the top that readers skip.
  void SetTitle(const std::string& title) { m_title = title; }
  void SetMapValue(int32_t value) { m_mapValue = value; }
  void SetLight(int32_t longitude, int32_t latitude, const Vec3& diffuse, const Vec3& ambient);
  // Lowest z, highest z, lowest x, highest x.
  void SetBounds(const std::array<int32_t, 4>& bounds) { m_bounds = bounds; }

  void Add(const WorldModelPlacement& m);
  void Add(const WorldCharacter& c);
  void Add(const WorldFieldEnemy& e);
  void Add(const WorldParticleMaker& p);
  void Add(const WorldSoundSource& s);
  void Add(const World3dFieldEnemy& e);
  void Add(const World3dModel& m);
  // An object of any type, its record bytes as given.
  void AddRaw(int32_t type, const std::string& record);
  // The number written as the object count; by default the objects added.
  void SetCount(int32_t count) { m_count = count; }

  std::string Build() const;

 private:
  uint8_t m_minor;
  std::string m_title, m_ground, m_attr, m_script;
  int32_t m_mapValue = 0;
  int32_t m_longitude = 45, m_latitude = 45;
  Vec3 m_diffuse{1.0f, 1.0f, 1.0f};
  Vec3 m_ambient{0.3f, 0.3f, 0.3f};
  std::array<int32_t, 4> m_bounds{-500, 500, -500, 500};
  std::string m_objects;
  int32_t m_added = 0;
  std::optional<int32_t> m_count;
};

}  // namespace slvtools
