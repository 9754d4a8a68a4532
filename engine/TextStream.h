#pragma once
// A text held in memory and read line by line, as the text readers read a
// file: a line ends at a line feed, which is consumed and dropped.
#include <cstddef>
#include <string>

class CTextStream {
 public:
  CTextStream() = default;
  // The name only labels the log texts.
  CTextStream(std::string bytes, std::string name);

  // Reads the whole resource through CFileStream under the current resource
  // directory; false when it cannot be opened.
  bool Open(const std::string& name);

  // The next line, at most maxLen bytes. False once nothing is left or the
  // stream has failed. A longer line comes back cut and fails the stream, so
  // it is the last one read.
  bool ReadLine(std::string& line, size_t maxLen);
  bool AtEnd() const { return m_pos >= m_bytes.size(); }

 private:
  std::string m_bytes;
  std::string m_name;
  size_t m_pos = 0;
  int m_lineNo = 0;
  bool m_failed = false;
};
