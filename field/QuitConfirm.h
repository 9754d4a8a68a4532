#pragma once
// The modal "quit the game?" picture of the field and the world map.

inline constexpr int kQuitYes = 6;
inline constexpr int kQuitNo = 7;

// Shows "quitgame.bmp" on the current frame's render context until the
// player clicks yes or no, in its own loop. Yes also when the program is
// quitting meanwhile.
int ShowQuitConfirm();
