#pragma once
// The dialogue, party, picture and effect words of the interpreter's own
// group: they fill the game frame's message window, notices and header,
// give items and gold, change the party, load backgrounds and pictures, call
// battles and macros, and run the "sysex" screen effects.
#include <string>

class CSelvarinFrame;
class CTokenizer;

// False when the word is none of them. Otherwise *goesOn tells whether the
// run goes on with the next line.
bool ExecDialogueCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                         bool* goesOn);

// The subject waits for the dialogue and resumes at `next`: the actor of
// that name (message 12), else the map event (its resume line), else the
// model of that resource name (message 12); the one found becomes the
// frame's listener of its kind. False, with no listener, when none is found.
bool MakeSubjectWait(CSelvarinFrame& frame, const std::string& subject, int next);
