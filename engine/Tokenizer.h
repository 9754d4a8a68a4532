#pragma once
// Splits one text line into tokens: blanks separate, a double-quoted run is
// one token, "//" ends the line, and bytes from 0x80 up (code page 949
// double-byte characters) never separate.
#include <string>
#include <vector>

class CTextStream;

class CTokenizer {
 public:
  // Lines of the lists and model texts longer than this are cut.
  static constexpr size_t kMaxLineLen = 1023;

  // Replaces the tokens by those of the line.
  void Tokenize(const std::string& line);
  // Reads and tokenizes the next line of the stream; false (and no tokens)
  // once the stream is used up.
  bool ReadLine(CTextStream& stream);

  int GetCount() const { return static_cast<int>(m_tokens.size()); }
  // Token i; past the tokens an empty text, reported with the whole line.
  const std::string& operator[](int i) const;
  // Token i read like atoi / atof; 0 past the tokens.
  int GetInt(int i) const;
  float GetFloat(int i) const;
  // ASCII capitals to small letters, double-byte characters untouched.
  void ToLower();

 private:
  std::vector<std::string> m_tokens;
};

// ASCII capitals to small letters; a byte from 0x80 up and the byte after it
// (a double-byte character) are left alone.
void LowerCaseText(std::string& text);

// The number of "<%" marks in the text.
int CountKeywords(const std::string& text);
// The text between the n-th "<%" (from 0) and the next "%>" (or the end);
// empty and logged when there are fewer marks.
std::string GetKeyword(const std::string& text, int n);
