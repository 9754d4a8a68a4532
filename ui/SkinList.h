#pragma once
// The field menu's desktop skins beyond its own pictures: the bitmaps that
// lie in the game's "data\bmp\skin" folder, as picture names "skin\<file>".
#include <string>
#include <vector>

// Reads the folder afresh, in name order, so a skin index that a save
// keeps names the same picture on every machine.
void BuildSkinList();
const std::vector<std::string>& SkinList();
