#include "tools/lib/SpriteSource.h"

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "engine/ActRes.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace slvtools {
namespace {

struct Image {
  int index;
  int width, height;
};

class SourceParser {
 public:
  bool Parse(const std::string& text, BuiltSprite* out, std::string* error);

 private:
  bool Line(std::vector<std::string>& words);
  bool Color(const std::vector<std::string>& words);
  bool ImageRow(const std::string& row);
  bool Layer(const std::vector<std::string>& words);
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }
  static bool Number(const std::string& word, int lo, int hi, int* out);

  SprWriter m_spr{0x200};
  std::map<char, uint8_t> m_colors;
  std::map<std::string, Image> m_images;
  std::string m_imageName;  // the image whose rows are being read
  std::vector<uint8_t> m_rows;
  int m_rowWidth = 0;
  std::vector<ActAction> m_actions;
  std::vector<std::string> m_events;
  std::string m_error;
};

bool SourceParser::Number(const std::string& word, int lo, int hi, int* out) {
  std::istringstream in(word);
  int value;
  char rest;
  if (!(in >> value) || in >> rest || value < lo || value > hi) return false;
  *out = value;
  return true;
}

bool SourceParser::Parse(const std::string& text, BuiltSprite* out, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = line.substr(0, line.find('#'));
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    if (!words.empty() && !Line(words)) {
      *error = "line " + std::to_string(number) + ": " + m_error;
      return false;
    }
  }
  if (!m_imageName.empty()) {
    *error = "image " + m_imageName + " has no end";
    return false;
  }
  out->spr = m_spr.Build();
  out->act = BuildAct(0x201, m_actions, m_events);
  return true;
}

bool SourceParser::Line(std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (!m_imageName.empty()) {
    if (key != "end") return words.size() == 1 ? ImageRow(key) : Fail("an image row is one word");
    if (m_rows.empty()) return Fail("image " + m_imageName + " has no rows");
    const int height = static_cast<int>(m_rows.size()) / m_rowWidth;
    if (m_rowWidth > 65535 || height > 65535 || m_rows.size() > 65536) {
      return Fail("image " + m_imageName + " is larger than 65536 pixels");
    }
    // Numbered before the insertion: in one expression the order is unspecified.
    const int index = static_cast<int>(m_images.size());
    m_images[m_imageName] = {index, m_rowWidth, height};
    m_spr.AddImage(static_cast<uint16_t>(m_rowWidth), static_cast<uint16_t>(height), m_rows);
    m_imageName.clear();
    return true;
  }
  if (key == "color") return Color(words);
  if (key == "image") {
    if (words.size() != 2 || m_images.count(words[1]) != 0) return Fail("image needs a new name");
    m_imageName = words[1];
    m_rows.clear();
    m_rowWidth = 0;
    return true;
  }
  int number;
  if (key == "action") {
    if (words.size() != 2 || !Number(words[1], 0, 65535, &number) ||
        number != static_cast<int>(m_actions.size())) {
      return Fail("actions are numbered 0, 1, 2, ... in order");
    }
    m_actions.emplace_back();
    return true;
  }
  if (key == "motion") {
    if (m_actions.empty() || words.size() > 2) return Fail("motion [event] after an action");
    ActMotion& motion = m_actions.back().motions.emplace_back();
    if (words.size() == 2) {
      motion.eventIndex = static_cast<int32_t>(m_events.size());
      m_events.push_back(words[1]);
    }
    return true;
  }
  if (key == "layer") return Layer(words);
  return Fail("unknown word " + key);
}

bool SourceParser::Color(const std::vector<std::string>& words) {
  int rgb[3];
  if (words.size() != 5 || words[1].size() != 1 || words[1] == "." || m_colors.count(words[1][0]) != 0) {
    return Fail("color needs a new drawing character and three values");
  }
  for (int i = 0; i < 3; ++i) {
    if (!Number(words[2 + i], 0, 255, &rgb[i])) return Fail("colour values are 0 to 255");
  }
  if (m_colors.size() >= 255) return Fail("at most 255 colours");
  const auto index = static_cast<uint8_t>(m_colors.size() + 1);
  m_colors[words[1][0]] = index;
  m_spr.SetColor(index, static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]), static_cast<uint8_t>(rgb[2]));
  return true;
}

bool SourceParser::ImageRow(const std::string& row) {
  if (m_rowWidth == 0) m_rowWidth = static_cast<int>(row.size());
  if (static_cast<int>(row.size()) != m_rowWidth) return Fail("rows of image " + m_imageName + " differ in width");
  for (char c : row) {
    if (c == '.') {
      m_rows.push_back(0);
      continue;
    }
    const auto color = m_colors.find(c);
    if (color == m_colors.end()) return Fail(std::string("no colour for ") + c);
    m_rows.push_back(color->second);
  }
  return true;
}

// Animation files store the image's centre: at scale 1 the corner plus half
// the size, rounded up.
bool SourceParser::Layer(const std::vector<std::string>& words) {
  if (m_actions.empty() || m_actions.back().motions.empty()) return Fail("layer outside a motion");
  if (words.size() != 4 && words.size() != 8) return Fail("layer NAME X Y [R G B A]");
  const auto image = m_images.find(words[1]);
  if (image == m_images.end()) return Fail("no image " + words[1]);
  ActLayer layer;
  layer.sprite = image->second.index;
  int x, y;
  if (!Number(words[2], -30000, 30000, &x) || !Number(words[3], -30000, 30000, &y)) {
    return Fail("layer position out of range");
  }
  layer.x = x + (image->second.width + 1) / 2;
  layer.y = y + (image->second.height + 1) / 2;
  for (size_t i = 4; i < words.size(); ++i) {
    int value;
    if (!Number(words[i], 0, 255, &value)) return Fail("colour values are 0 to 255");
    layer.color[i - 4] = static_cast<uint8_t>(value);
  }
  m_actions.back().motions.back().layers.push_back(layer);
  return true;
}

}  // namespace

bool BuildSpriteSource(const std::string& text, BuiltSprite* out, std::string* error) {
  return SourceParser().Parse(text, out, error);
}

bool BuildSpriteSourceFile(const std::filesystem::path& path, BuiltSprite* out, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path.string();
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (BuildSpriteSource(text.str(), out, error)) return true;
  *error = path.string() + ": " + *error;
  return false;
}

}  // namespace slvtools
