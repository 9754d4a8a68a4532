#pragma once
// The party's field sprites of the sample data, drawn by program: one
// simple figure per member, each in its own colours. 40 actions: the eight
// directions times the action bases 0 (five turning poses), 8, 16 and 24
// (eight walking frames: straight, turning one way, turning the other) and
// 32 (three falling frames: rising, at the top, coming down).
#include <string>
#include <vector>

#include "tools/lib/GroundSource.h"

namespace slvtools {

struct PartyColours {
  int tunic[3];
  int hair[3];
};
// The sprite-source text of one member's figure.
std::string PartySpriteSource(const PartyColours& colours);

// "sprite\<name>.spr" and ".act" of each sample party member.
bool BuildPartySprites(std::vector<DataFile>* out, std::string* error);

}  // namespace slvtools
