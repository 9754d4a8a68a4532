#pragma once
// Rows of the third command group that reach the screen and the sound: fog,
// the compass, the time attack, movies, CD music and waves, the player's
// facing, fades, darkness and weather. Each is a CommandHandler.
class CSelvarinActor;
class CSelvarinFrame;
class CTokenizer;

#define SLV_SCREEN_COMMAND(name) void name(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor* subject)
SLV_SCREEN_COMMAND(SetFog);
SLV_SCREEN_COMMAND(AddCompassPoint);
SLV_SCREEN_COMMAND(BeginTimeAttack);
SLV_SCREEN_COMMAND(EndTimeAttack);
SLV_SCREEN_COMMAND(PlayAvi);
SLV_SCREEN_COMMAND(PlayCd);
SLV_SCREEN_COMMAND(StopCd);
SLV_SCREEN_COMMAND(PlayWaveWord);
SLV_SCREEN_COMMAND(DisableCdReplay);
SLV_SCREEN_COMMAND(SetPlayerAngle);
SLV_SCREEN_COMMAND(AddPlayerAngle);
SLV_SCREEN_COMMAND(SetFaded);
SLV_SCREEN_COMMAND(FadeOut);
SLV_SCREEN_COMMAND(FadeIn);
SLV_SCREEN_COMMAND(WhiteOut);
SLV_SCREEN_COMMAND(WhiteIn);
SLV_SCREEN_COMMAND(SetWeatherWord);
SLV_SCREEN_COMMAND(DarkScreen);
SLV_SCREEN_COMMAND(RestoreScreen);
#undef SLV_SCREEN_COMMAND
