#pragma once
// The game's texts are code page 949; our sources are UTF-8.
#include <string>

namespace slvtools {

// False when the text is not UTF-8 or holds a character code page 949 lacks.
bool Utf8ToCp949(const std::string& utf8, std::string* cp949);

}  // namespace slvtools
