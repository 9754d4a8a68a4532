#pragma once
// Screenshots for headless runs: once enabled, an input-script line
//   <pass> screenshot <file>
// writes the frame the window showed last as a binary PPM (8 bits a
// channel). End-to-end tests compare these with their golden images. Only a
// run with an input script keeps the frames shown.
namespace platform {

void EnableScriptedScreenshots();

}  // namespace platform
