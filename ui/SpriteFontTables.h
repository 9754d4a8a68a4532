#pragma once
// The sprite font's width and offset tables, by glyph id: digits 0-9,
// capitals 10-35, small letters 36-61, the same in the second colour bank
// 62-123, then '/', '%', '.', '(', ')', '-', '+'. A glyph is drawn at its
// offset - 11 below the text's baseline. The sample data's font is drawn to
// fit them.

inline constexpr int kFontGlyphCount = 131;

inline constexpr int kSpriteFontAdvance[kFontGlyphCount] = {
    6, 5, 6, 6, 7, 6, 6, 6, 6, 6,  // 0-9
    9, 8, 9, 9, 7, 8, 10, 8, 3, 7, 8, 7, 10, 8, 11, 8, 10, 8, 8, 9, 9, 9, 11, 9, 9, 8,  // A-Z
    8, 7, 7, 7, 7, 7, 7, 7, 3, 6, 7, 3, 9, 7, 7, 7, 7, 5, 6, 5, 7, 7, 7, 8, 8, 6,  // a-z
    6, 5, 6, 6, 7, 6, 6, 6, 6, 6,
    9, 8, 9, 9, 7, 8, 10, 8, 3, 7, 8, 7, 10, 8, 11, 8, 10, 8, 8, 9, 9, 9, 11, 9, 9, 8,
    8, 7, 7, 7, 7, 7, 7, 7, 3, 6, 7, 3, 9, 7, 7, 7, 7, 5, 6, 5, 7, 7, 7, 8, 8, 6,
    5, 9, 3, 5, 5, 5, 5};  // / % . ( ) - +
inline constexpr int kSpriteFontOffset[kFontGlyphCount] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  // 0-9
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // A-Z
    3, 0, 3, 0, 3, 0, 3, 0, 1, 1, 0, 0, 3, 3, 3, 3, 3, 3, 3, 1, 3, 3, 3, 3, 3, 3,  // a-z
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 0, 3, 0, 3, 0, 3, 0, 1, 1, 0, 0, 3, 3, 3, 3, 3, 3, 3, 1, 3, 3, 3, 3, 3, 3,
    1, 1, 8, 0, 0, 4, 2};  // / % . ( ) - +
