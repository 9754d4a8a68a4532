#pragma once
// The macros of a menu action's text: "%GAMEDIR" (the installed folder),
// "%DISK<d>" (the folder of disc d, asked for until it is there) and
// "%WINDIR" (the system's program folder: SLV_WINDIR, else "/usr/bin").
#include <string>

// False when the user cancels the disc request or "%GAMEDIR" has no
// installed folder to stand for. A "%" that starts no macro stays.
bool ExpandMacros(const std::string& text, std::string* out);
