#pragma once
// Menu pictures: 8-bit palettised or 24-bit Windows bitmaps decoded to
// top-down rows of blue, green, red bytes without padding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Null (logged) when the file is missing, its size is not positive or too
// large, its depth is not 8 or 24 bits, or its rows run past the file.
// Palette entries past the file are black.
std::unique_ptr<uint8_t[]> DecodeBitmapRgb(const uint8_t* bytes, size_t size, int* width, int* height);
// The picture `name` read through the launcher's file layer.
std::unique_ptr<uint8_t[]> LoadBitmapRgb(const std::string& name, int* width, int* height);
