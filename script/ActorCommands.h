#pragma once
// The actor and camera words of the interpreter's own group: each sends its
// target one message built from the line, or moves the camera or the party.
#include <cstdint>
#include <string>

class CActor;
class CSelvarinFrame;
class CTokenizer;

// False when the word is none of them. Otherwise *goesOn tells whether the
// run goes on with the next line.
bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                      bool* goesOn);
// A cut-scene's form: every word that sends to an actor sends to the
// channel's actor instead of the one the line names.
bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, CActor& channel, bool* goesOn);
bool ExecActorCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, const std::string& subject,
                      CActor* channel, bool* goesOn);
bool IsActorWord(const std::string& word);

// A real as the whole number toward zero, within the int range; NaN and
// infinities give 0.
int32_t TruncatedReal(float value);
// An angle of "dirpad": key 1 to 9 but 5 around camera angle a, brought into
// 0 to 360 (360 stays); false for any other key.
bool DirPadAngle(int cameraAngle, int key, int* angle);
// An angle brought into 0 to under 360.
int32_t WrapDegrees(int64_t degrees);
