#include "tools/lib/MacroSource.h"

#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "platform/TextEncoding.h"
#include "tools/lib/MacroWriter.h"
#include "tools/lib/PictureSource.h"

namespace slvtools {

namespace {

constexpr const char* kNoActor = "-";

std::optional<int32_t> Integer(const std::string& word) {
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// The line from its `count`+1-th word on, as written, without the blanks
// around it.
std::string AfterWords(const std::string& line, int count) {
  constexpr const char* kBlanks = " \t";
  size_t at = 0;
  for (int i = 0; i < count; ++i) {
    at = line.find_first_not_of(kBlanks, at);
    at = line.find_first_of(kBlanks, at);
  }
  at = line.find_first_not_of(kBlanks, at);
  const size_t end = line.find_last_not_of(kBlanks);
  return at == std::string::npos ? std::string() : line.substr(at, end + 1 - at);
}

class MacroParser {
 public:
  bool Parse(const std::string& text, std::string* error);
  std::string Build() const { return BuildRsa(1, 1, m_length.value_or(0), m_tracks); }

 private:
  bool Line(const std::string& line);
  bool Channel(const std::vector<std::string>& words);
  bool Command(const std::vector<std::string>& words, const std::string& line);
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }

  std::optional<int32_t> m_length;
  std::vector<RsaTrack> m_tracks;
  std::map<std::string, size_t> m_channels;  // by the source's name
  std::string m_error;
};

bool MacroParser::Channel(const std::vector<std::string>& words) {
  if (words.size() != 4) return Fail("channel takes a name, a write-back flag and a mode value");
  const auto writeBack = Integer(words[2]), mode = Integer(words[3]);
  if (!writeBack || !mode) return Fail("a channel's flag and mode value are whole numbers");
  if (m_channels.count(words[1]) != 0) return Fail("channel " + words[1] + " is declared twice");
  RsaTrack track;
  if (words[1] != kNoActor && !platform::Utf8ToCp949(words[1], &track.name)) {
    return Fail("a channel name code page 949 cannot hold");
  }
  // The game would read a longer name cut short and bind nobody.
  if (track.name.size() >= kRsaNameBytes) return Fail("a channel name is longer than 79 bytes");
  track.value0 = *writeBack;
  track.value1 = *mode;
  m_channels[words[1]] = m_tracks.size();
  m_tracks.push_back(track);
  return true;
}

bool MacroParser::Command(const std::vector<std::string>& words, const std::string& line) {
  const auto key = Integer(words[0]);
  if (!key) return Fail("a line starts with a keyword or a frame number");
  if (words.size() < 3) return Fail("a command names its channel and a word");
  const auto channel = m_channels.find(words[1]);
  if (channel == m_channels.end()) return Fail("no channel " + words[1]);
  RsaEntry entry;
  entry.key = *key;
  if (!platform::Utf8ToCp949(AfterWords(line, 2), &entry.text)) return Fail("a command that code page 949 cannot hold");
  m_tracks[channel->second].entries.push_back(entry);
  return true;
}

bool MacroParser::Line(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.empty() || words[0][0] == '#') return true;
  if (words[0] == "length") {
    if (words.size() != 2 || !Integer(words[1])) return Fail("length takes a whole number");
    if (m_length) return Fail("a second length");
    m_length = Integer(words[1]);
    return true;
  }
  if (words[0] == "channel") return Channel(words);
  return Command(words, line);
}

bool MacroParser::Parse(const std::string& text, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!Line(line)) {
      *error = "line " + std::to_string(number) + ": " + m_error;
      return false;
    }
  }
  if (!m_length) {
    *error = "no length";
    return false;
  }
  return true;
}

}  // namespace

bool BuildMacroSource(const std::string& text, const std::string& macroName, std::vector<DataFile>* out,
                      std::string* error) {
  MacroParser parser;
  if (!parser.Parse(text, error)) return false;
  out->push_back({macroName + ".rsa", parser.Build()});
  return true;
}

bool BuildSampleMacros(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                       std::string* error) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sourceFolder, ec)) {
    if (entry.path().extension() != ".macro") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string name;
    std::vector<DataFile> files;
    if (!in || !platform::Utf8ToCp949(entry.path().stem().string(), &name)) {
      *error = entry.path().string() + ": cannot be read under a code page 949 name";
      return false;
    }
    if (!BuildMacroSource(text.str(), name, &files, error)) {
      *error = entry.path().string() + ": " + *error;
      return false;
    }
    if (!WriteDataFiles(files, dataFolder, error)) return false;
  }
  if (ec) *error = sourceFolder.string() + ": " + ec.message();
  return !ec;
}

}  // namespace slvtools
