#include "tools/lib/MapSource.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/TextEncoding.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/RswWriter.h"

namespace slvtools {

namespace {

class MapParser {
 public:
  bool Parse(const std::string& text, const std::string& mapName, std::vector<DataFile>* out, std::string* error);

 private:
  // Takes a world line; false with m_error set when it is malformed. A line
  // that is not the world's is left for the ground.
  bool WorldLine(const std::vector<std::string>& words, bool* taken);
  bool Numbers(const std::vector<std::string>& words, size_t first, std::vector<float>* out);
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }

  RswWriter m_world;
  std::string m_script;
  bool m_inScript = false;
  std::string m_error;
};

bool MapParser::Numbers(const std::vector<std::string>& words, size_t first, std::vector<float>* out) {
  for (size_t i = first; i < words.size(); ++i) {
    std::istringstream in(words[i]);
    float value;
    char rest;
    if (!(in >> value) || in >> rest) return false;
    out->push_back(value);
  }
  return true;
}

bool MapParser::WorldLine(const std::vector<std::string>& words, bool* taken) {
  const std::string& key = words[0];
  std::vector<float> n;
  *taken = true;
  if (key == "light") {
    if (words.size() != 9 || !Numbers(words, 1, &n)) return Fail("light takes two angles and two colours");
    m_world.SetLight(static_cast<int32_t>(n[0]), static_cast<int32_t>(n[1]), Vec3{n[2], n[3], n[4]},
                     Vec3{n[5], n[6], n[7]});
  } else if (key == "bounds") {
    if (words.size() != 5 || !Numbers(words, 1, &n)) return Fail("bounds takes four numbers");
    m_world.SetBounds({static_cast<int32_t>(n[0]), static_cast<int32_t>(n[1]), static_cast<int32_t>(n[2]),
                       static_cast<int32_t>(n[3])});
  } else if (key == "mapvalue") {
    if (words.size() != 2 || !Numbers(words, 1, &n)) return Fail("mapvalue takes a number");
    m_world.SetMapValue(static_cast<int32_t>(n[0]));
  } else if (key == "character") {
    const size_t count = words.size();
    if ((count != 6 && count != 7 && count != 9) || !Numbers(words, 3, &n)) {
      return Fail("character takes a name, a sprite, x y z, and a pattern with two half sizes or not");
    }
    WorldCharacter c;
    c.name = words[1];
    c.sprName = words[2];
    c.kind = WorldCharacter::kSprite;
    c.position = Vec3{n[0], n[1], n[2]};
    if (count > 6) c.value = static_cast<int32_t>(n[3]);
    if (count > 7) {
      std::memcpy(&c.words[0], &n[4], sizeof(float));
      std::memcpy(&c.words[2], &n[5], sizeof(float));
    }
    m_world.Add(c);
  } else if (key == "enemy") {
    if ((words.size() != 7 && words.size() != 10) || !Numbers(words, 3, &n)) {
      return Fail("enemy takes a name, a sprite, x y z, a speed and three values or none");
    }
    WorldFieldEnemy e;
    e.name = words[1];
    e.sprName = words[2];
    e.position = Vec3{n[0], n[1], n[2]};
    for (size_t i = 3; i < n.size(); ++i) e.values[i - 3] = n[i];
    m_world.Add(e);
  } else if (key == "eventbox") {
    if (words.size() != 7 || !Numbers(words, 2, &n)) return Fail("eventbox takes a name, x y z and two half sizes");
    WorldCharacter c;
    c.name = words[1];
    c.kind = WorldCharacter::kEventBox;
    c.position = Vec3{n[0], n[1], n[2]};
    std::memcpy(&c.words[0], &n[3], sizeof(float));
    std::memcpy(&c.words[2], &n[4], sizeof(float));
    m_world.Add(c);
  } else if (key == "prop") {
    if (words.size() != 11 || !Numbers(words, 4, &n)) return Fail("prop takes a name, a model, a node, x y z, three angles and a flag");
    WorldModelPlacement m;
    m.name = words[1];
    if (!platform::Utf8ToCp949(words[2], &m.modelName) || !platform::Utf8ToCp949(words[3], &m.nodeName)) {
      return Fail("a model name code page 949 cannot hold");
    }
    m.position = Vec3{n[0], n[1], n[2]};
    m.rotation = Vec3{n[3], n[4], n[5]};
    m.scale = Vec3{1.0f, 1.0f, 1.0f};
    m.flags = static_cast<int32_t>(n[6]);
    m_world.Add(m);
  } else if (key == "enemy3d") {
    if (words.size() != 12 || !Numbers(words, 3, &n)) {
      return Fail("enemy3d takes a name, a model, x y z, a speed, four frames and a delay");
    }
    World3dFieldEnemy e;
    e.name = words[1];
    if (!platform::Utf8ToCp949(words[2], &e.modelName)) return Fail("a model name code page 949 cannot hold");
    e.position = Vec3{n[0], n[1], n[2]};
    e.speed = n[3];
    e.ranges = {n[4], n[5], n[6], n[7]};
    e.frameDelay = static_cast<int32_t>(n[8]);
    m_world.Add(e);
  } else if (key == "particle") {
    if (words.size() != 6 || !Numbers(words, 2, &n)) return Fail("particle takes a name, x y z and a kind");
    WorldParticleMaker p;
    p.name = words[1];
    p.position = Vec3{n[0], n[1], n[2]};
    p.kind = static_cast<int32_t>(n[3]);
    m_world.Add(p);
  } else if (key == "sound") {
    if (words.size() != 8 || !Numbers(words, 3, &n)) return Fail("sound takes a name, a wave, x y z and two settings");
    WorldSoundSource w;
    w.name = words[1];
    if (!platform::Utf8ToCp949(words[2], &w.waveName)) return Fail("the wave's name has no code page 949 form");
    w.position = Vec3{n[0], n[1], n[2]};
    w.settings = {static_cast<int32_t>(n[3]), static_cast<int32_t>(n[4])};
    m_world.Add(w);
  } else if (key == "script") {
    if (words.size() != 1) return Fail("script stands alone on its line");
    m_inScript = true;
  } else {
    *taken = false;
  }
  return true;
}

bool MapParser::Parse(const std::string& text, const std::string& mapName, std::vector<DataFile>* out,
                      std::string* error) {
  // The ground's lines go on to its own parser; the world's are blanked
  // there, so its line numbers stay right.
  std::istringstream lines(text);
  std::string ground;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (m_inScript) {
      if (line == "endscript") {
        m_inScript = false;
      } else {
        m_script += line + "\n";
      }
      ground += "\n";
      continue;
    }
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    bool taken = false;
    if (!words.empty() && !WorldLine(words, &taken)) {
      *error = "line " + std::to_string(number) + ": " + m_error;
      return false;
    }
    ground += (taken ? "" : line) + "\n";
  }
  if (m_inScript) {
    *error = "script without endscript";
    return false;
  }
  if (!BuildGroundSource(ground, mapName, out, error)) return false;
  m_world.SetNames(mapName + ".gnd", mapName + ".gat", mapName + ".scr");
  out->push_back({mapName + ".rsw", m_world.Build()});
  std::string script;
  if (!platform::Utf8ToCp949(m_script, &script)) {
    *error = "the script is not UTF-8 text that code page 949 can hold";
    return false;
  }
  out->push_back({mapName + ".scr", script});
  return true;
}

}  // namespace

bool BuildMapSource(const std::string& text, const std::string& mapName, std::vector<DataFile>* out,
                    std::string* error) {
  return MapParser().Parse(text, mapName, out, error);
}

bool BuildSampleMaps(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                     std::string* error) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sourceFolder, ec)) {
    if (entry.path().extension() != ".map") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<DataFile> files;
    if (!in || !BuildMapSource(text.str(), entry.path().stem().string(), &files, error)) {
      *error = entry.path().string() + ": " + (in ? *error : "cannot be read");
      return false;
    }
    if (!WriteDataFiles(files, dataFolder, error)) return false;
  }
  if (ec) *error = sourceFolder.string() + ": " + ec.message();
  return !ec;
}

}  // namespace slvtools
