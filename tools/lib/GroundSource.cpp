#include "tools/lib/GroundSource.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/lib/GatWriter.h"
#include "tools/lib/GndWriter.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/TextureImages.h"

namespace slvtools {
namespace {

constexpr int kPictureSize = 32;
constexpr int kWaterFrames = 32;

struct TextureSource {
  std::string name;
  Rgba a, b;
  int index = -1;
};

// Mottled: a fixed hash of the pixel picks a mix of the two colours.
std::string MottledPicture(const Rgba& a, const Rgba& b) {
  RgbaImage image(kPictureSize, kPictureSize);
  for (int y = 0; y < kPictureSize; ++y) {
    for (int x = 0; x < kPictureSize; ++x) {
      const uint32_t hash =
          (static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u) % 7u;
      const int w = static_cast<int>(hash > 3 ? 3 : hash);  // 0..3 parts of b
      const auto mix = [w](uint8_t p, uint8_t q) {
        return static_cast<uint8_t>((p * (3 - w) + q * w) / 3);
      };
      image.At(x, y) = Rgba{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), 255};
    }
  }
  return WriteBmp24(image);
}

// Blue ripples that travel one picture width over the 32 frames.
std::string WaterPicture(int frame) {
  RgbaImage image(kPictureSize, kPictureSize);
  constexpr float kTurn = 6.2831853f;
  for (int y = 0; y < kPictureSize; ++y) {
    for (int x = 0; x < kPictureSize; ++x) {
      const float phase = kTurn * static_cast<float>(x + frame) / kPictureSize;
      const float wave = std::sin(phase) * std::cos(kTurn * static_cast<float>(y) / kPictureSize);
      const int light = static_cast<int>(std::lround(24.0f * wave));
      image.At(x, y) = Rgba{static_cast<uint8_t>(40 + light), static_cast<uint8_t>(96 + light),
                            static_cast<uint8_t>(176 + light), 255};
    }
  }
  return WriteBmp24(image);
}

std::string WaterPictureName(int type, int frame) {
  return "texture\\워터\\water" + std::to_string(type) + (frame > 9 ? "" : "0") +
         std::to_string(frame) + ".bmp";
}

class GroundParser {
 public:
  bool Parse(const std::string& text, const std::string& mapName, std::vector<DataFile>* out,
             std::string* error);

 private:
  bool Line(const std::vector<std::string>& words);
  bool Texture(const std::vector<std::string>& words);
  bool BlockRow(const std::vector<std::string>& words);
  bool Finish(const std::string& mapName, std::vector<DataFile>* out);
  std::string BuildGround();
  std::string BuildAttr() const;
  float GridHeight(int x, int z) const {
    return m_heights[static_cast<size_t>(z * (m_width + 1) + x)];
  }
  // Bilinear over the ground at a grid position in ground cells.
  float HeightAt(float gx, float gz) const;
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }
  static bool Number(const std::string& word, float lo, float hi, float* out);

  std::map<char, TextureSource> m_textures;
  std::vector<char> m_textureOrder;
  int m_width = 0, m_height = 0;
  int m_waterType = -1;
  std::string m_block;  // "heights", "tops" or "types" while one is read
  std::vector<float> m_heights;
  std::vector<std::string> m_tops, m_types;
  std::string m_error;
};

bool GroundParser::Number(const std::string& word, float lo, float hi, float* out) {
  std::istringstream in(word);
  float value;
  char rest;
  if (!(in >> value) || in >> rest || !(value >= lo && value <= hi)) return false;
  *out = value;
  return true;
}

bool GroundParser::Parse(const std::string& text, const std::string& mapName,
                         std::vector<DataFile>* out, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  int number = 1;
  for (; std::getline(lines, line); ++number) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    if (!words.empty() && !Line(words)) {
      *error = "line " + std::to_string(number) + ": " + m_error;
      return false;
    }
  }
  if (!Finish(mapName, out)) {
    *error = m_error;
    return false;
  }
  return true;
}

bool GroundParser::Line(const std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (!m_block.empty()) {
    if (key != "end") return BlockRow(words);
    m_block.clear();
    return true;
  }
  if (key == "texture") return Texture(words);
  if (key == "size") {
    float w, h;
    if (words.size() != 3 || !Number(words[1], 1, 512, &w) || !Number(words[2], 1, 512, &h)) {
      return Fail("size takes a width and a height of 1 to 512");
    }
    m_width = static_cast<int>(w);
    m_height = static_cast<int>(h);
    return true;
  }
  if (key == "water") {
    float type;
    if (words.size() != 2 || !Number(words[1], 0, 9, &type))
      return Fail("water takes a type of 0 to 9");
    m_waterType = static_cast<int>(type);
    return true;
  }
  if (key == "heights" || key == "tops" || key == "types") {
    if (m_width == 0) return Fail(key + " before size");
    m_block = key;
    return true;
  }
  return Fail("unknown word " + key);
}

bool GroundParser::Texture(const std::vector<std::string>& words) {
  if (words.size() != 9 || words[1].size() != 1 || words[1] == ".") {
    return Fail("texture takes a character, a name and two colours");
  }
  float c[6];
  for (int i = 0; i < 6; ++i) {
    if (!Number(words[static_cast<size_t>(3 + i)], 0, 255, &c[i]))
      return Fail("colour channels are 0 to 255");
  }
  const auto u8 = [](float v) { return static_cast<uint8_t>(v); };
  const char key = words[1][0];
  if (m_textures.count(key) == 0) m_textureOrder.push_back(key);
  m_textures[key] = TextureSource{
      words[2], {u8(c[0]), u8(c[1]), u8(c[2]), 255}, {u8(c[3]), u8(c[4]), u8(c[5]), 255}};
  return true;
}

bool GroundParser::BlockRow(const std::vector<std::string>& words) {
  if (m_block == "heights") {
    if (static_cast<int>(words.size()) != m_width + 1)
      return Fail("a heights row holds width + 1 numbers");
    for (const std::string& word : words) {
      float h;
      if (!Number(word, -1000, 1000, &h)) return Fail("heights are numbers of -1000 to 1000");
      m_heights.push_back(h);
    }
    return true;
  }
  if (words.size() != 1 || static_cast<int>(words[0].size()) != m_width) {
    return Fail("a " + m_block + " row is one word of width characters");
  }
  (m_block == "tops" ? m_tops : m_types).push_back(words[0]);
  return true;
}

float GroundParser::HeightAt(float gx, float gz) const {
  const int x = std::min(static_cast<int>(gx), m_width - 1);
  const int z = std::min(static_cast<int>(gz), m_height - 1);
  const float fx = gx - static_cast<float>(x), fz = gz - static_cast<float>(z);
  const float a = GridHeight(x, z) + fz * (GridHeight(x, z + 1) - GridHeight(x, z));
  const float b = GridHeight(x + 1, z) + fz * (GridHeight(x + 1, z + 1) - GridHeight(x + 1, z));
  return a + fx * (b - a);
}

std::string GroundParser::BuildGround() {
  GndWriter gnd(m_width, m_height);
  for (const char key : m_textureOrder)
    m_textures[key].index = gnd.AddTexture(m_textures[key].name);
  for (int z = 0; z <= m_height; ++z) {
    for (int x = 0; x <= m_width; ++x) gnd.SetGridHeight(x, z, GridHeight(x, z));
  }
  for (int z = 0; z < m_height; ++z) {
    for (int x = 0; x < m_width; ++x) {
      const char top = m_tops[static_cast<size_t>(z)][static_cast<size_t>(x)];
      if (top != '.') gnd.Cell(x, z).texture[0] = m_textures[top].index;
    }
  }
  return gnd.Build();
}

// Attribute cells are half a ground cell; each takes the type of the ground
// cell it lies in and the ground's heights at its corners.
std::string GroundParser::BuildAttr() const {
  GatWriter gat(m_width * 2, m_height * 2);
  for (int z = 0; z < m_height * 2; ++z) {
    for (int x = 0; x < m_width * 2; ++x) {
      GatCell& cell = gat.Cell(x, z);
      for (int c = 0; c < 4; ++c) {
        cell.height[c] = HeightAt(static_cast<float>(x + (c & 1)) * 0.5f,
                                  static_cast<float>(z + (c >> 1)) * 0.5f);
      }
      const char type =
          m_types.empty() ? '.' : m_types[static_cast<size_t>(z / 2)][static_cast<size_t>(x / 2)];
      cell.type = type == '.' ? 0 : type - '0';
    }
  }
  return gat.Build();
}

bool GroundParser::Finish(const std::string& mapName, std::vector<DataFile>* out) {
  if (!m_block.empty()) return Fail(m_block + " has no end");
  if (m_width == 0) return Fail("no size");
  if (static_cast<int>(m_heights.size()) != (m_width + 1) * (m_height + 1)) {
    return Fail("heights need height + 1 rows");
  }
  if (static_cast<int>(m_tops.size()) != m_height) return Fail("tops need height rows");
  if (!m_types.empty() && static_cast<int>(m_types.size()) != m_height)
    return Fail("types need height rows");
  for (const std::string& row : m_tops) {
    for (const char c : row) {
      if (c != '.' && m_textures.count(c) == 0) return Fail(std::string("no texture for ") + c);
    }
  }
  for (const std::string& row : m_types) {
    for (const char c : row) {
      if (c != '.' && (c < '0' || c > '9'))
        return Fail(std::string("type ") + c + " is not a digit");
    }
  }
  out->push_back({mapName + ".gnd", BuildGround()});
  out->push_back({mapName + ".gat", BuildAttr()});
  for (const char key : m_textureOrder) {
    const TextureSource& t = m_textures.at(key);
    out->push_back({"texture\\" + t.name, MottledPicture(t.a, t.b)});
  }
  if (m_waterType >= 0) {
    for (int frame = 0; frame < kWaterFrames; ++frame) {
      out->push_back({WaterPictureName(m_waterType, frame), WaterPicture(frame)});
    }
  }
  return true;
}

}  // namespace

bool BuildGroundSource(const std::string& text, const std::string& mapName,
                       std::vector<DataFile>* out, std::string* error) {
  return GroundParser().Parse(text, mapName, out, error);
}

bool BuildSampleMap(const std::filesystem::path& sourceFolder,
                    const std::filesystem::path& dataFolder, std::string* error) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sourceFolder, ec)) {
    if (entry.path().extension() != ".ground") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<DataFile> files;
    if (!in || !BuildGroundSource(text.str(), entry.path().stem().string(), &files, error)) {
      *error = entry.path().string() + ": " + (in ? *error : "cannot be read");
      return false;
    }
    if (!WriteDataFiles(files, dataFolder, error)) return false;
  }
  if (ec) *error = sourceFolder.string() + ": " + ec.message();
  return !ec;
}

std::string MottledTexture(const Rgba& a, const Rgba& b) { return MottledPicture(a, b); }

}  // namespace slvtools
