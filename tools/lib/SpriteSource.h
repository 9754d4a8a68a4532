#pragma once
// Sprite sources: a sprite file and its animation file drawn as text, for the
// sample data. Lines hold blank-separated words; "#" starts a comment.
//
//   color C R G B        palette entry for the drawing character C (entries
//                        1, 2, ... in order); "." always draws nothing
//   image NAME           a palette image: rows of drawing characters follow,
//   ...                  all of one width, up to a line "end"
//   end
//   action N             the next action; N counts from 0 in order
//   motion [EVENT]       the next motion of the action, naming an event or not
//   layer NAME X Y [R G B A]
//                        image NAME with its top-left corner at (X, Y) from
//                        the actor's point; the colour is white by default
//
// The sprite file is written as version 0x200 and the animation as 0x201.
#include <filesystem>
#include <string>

namespace slvtools {

struct BuiltSprite {
  std::string spr;
  std::string act;
};

// False, with the line and the reason in `error`, for a malformed source.
bool BuildSpriteSource(const std::string& text, BuiltSprite* out, std::string* error);
bool BuildSpriteSourceFile(const std::filesystem::path& path, BuiltSprite* out, std::string* error);

}  // namespace slvtools
