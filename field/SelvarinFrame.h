#pragma once
// The frame of all field and battle play. Every field map runs as one of
// these, named after the map: each pass keeps the music going, reads input,
// applies a requested play-mode change, and shows the screen picture or
// runs the tick of the current play mode. The screen transitions live here.
// The modes' code lives with its subsystems (script/, battle/, ui/); every
// member is declared here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "field/BattleResult.h"
#include "field/BattleSet.h"
#include "render/3dFrame.h"
#include "script/ScriptPosition.h"

class CActor;
class CAviTexture;
class CBattleActor;
class CBattlePlayer;
class CRC;
class C3dActor;
class CBitmapRes;
class CSelvarin3dActor;
class CSelvarinActor;
struct MapEvent;
class CMacroRes;
class CSelvarinContext;
class CSelvarinView;
class CSysexCrowd;
class CTexture;
class CTokenizer;
struct MapEvent;
class UIDesktop;

// The game frame's play modes.
enum FrameMode : int32_t {
  kModeField = 0,
  kModeFieldMenu = 1,
  kModeBattle = 2,
  kModeBattleResult = 3,
  kModeShop = 4,  // shop, inn and save screens
  kModeNone = 5,
  kModeScript = 6,
  kModeStillMenu = 7,  // a menu over a still of the screen
  kModeMapView = 8,
  kModeScenario = 9,
  kModeGameOver = 10,
};

// Game-wide, kept across frames: the camera yaw every game frame's view
// starts with (a warp stores it), and the time-attack clock in seconds of
// GetClockSeconds.
extern float g_carriedYaw;
struct TimeAttack {
  int32_t m_on = 0;
  int32_t m_limit = 0;
  int32_t m_current = 0;
};
extern TimeAttack g_timeAttack;
// Set by scripts: the music upkeep no longer starts a track again once it
// has ended.
extern uint8_t g_cdReplayOff;

// What input asked of the next field tick: 0 nothing, 1 the field menu, 8
// the map view.
extern int32_t g_uiRequest;
// Counts every field tick of every game frame.
extern int32_t g_fieldTick;

// A rain drop in whole screen pixels: it falls from y towards its stop
// height, remembering where it was the tick before.
struct RainDrop {
  int32_t x = 0, y = 0, stop = 0;
  int32_t prevX = 0, prevY = 0;
  int32_t speed = 8;  // the step factor
  int32_t slant = 0;  // the wind angle, degrees
  int32_t wind = 0;   // the wind direction, degrees
};

// A place of the compass: the party members the player selects with F3, F4
// and the party box.
struct CompassPoint {
  int32_t x = 0, z = 0;
  std::string area;
};

// One command of the running macro as the runner reads it: the frame it
// runs on, its channel (a track of the macro) and its text.
struct MacroCommand {
  int32_t m_key = 0;
  int32_t m_channel = 0;
  std::string m_text;
};

class CSelvarinFrame : public C3dFrame {
  SLV_OBJECT(CSelvarinFrame)
 public:
  static constexpr int kPictureStart = 300;  // passes a script picture shows
  static constexpr int kTransitionSteps = 25;

  CSelvarinFrame();
  ~CSelvarinFrame() override;

  CSelvarinContext* GetContext() const;
  CSelvarinView* GetView() const;

  void Init() override;
  // The start script or macro and the music, then passes until the frame
  // stops or the program quits.
  void Run() override;
  void Exit() override;

  // The first steps of Run, then one pass of its loop.
  void StartRun();
  void RunGamePass();

  // Enters a mode at once with its entry action. Others request a mode
  // through m_pendingMode, applied at the top of the next pass.
  void ChangeMode(int mode);
  // The current transition over the whole screen, inside a scene.
  void DrawTransition();
  // Frees the five background textures.
  void FreeOverlays();

  // ---- Field mode ----
  static constexpr int kCompassPoints = 20;

  void RunFieldMode();
  // The cursor kind and the clicks, from the mouse.
  void UpdateMouseCursor();
  // The input of an open choice list.
  void UpdateChoiceBox();
  // The session's last place and play time, from here and now.
  void RememberPlace();
  void DrawMouseCursor();
  // The cursor's action, and its angle in degrees, for the mouse at (x, y).
  int MouseCursorAction(int x, int y, int* angle) const;
  // Everything a drawn field pass shows, short of the flip.
  void ComposeField();
  bool IsMessageShowing() const { return m_messageState != 0; }
  // The selection moved on by one (after the last comes none, -1) or back.
  void SelectNextMember();
  void SelectPreviousMember();

  // ---- Message window, HUD and weather ----
  static constexpr int kMessageLines = 5;
  void ClearMessageLines();
  void ScrollMessageLines();
  // Appends the character at pos of the text, one byte or a pair, and moves
  // the layout past it.
  void AppendMessageCharAt(size_t pos);
  // The window's opening and closing ticks, alike in the field and in battle.
  void UpdateMessageStart();
  void UpdateMessageClosing();
  void UpdateFieldMessage();
  void UpdateBattleMessage();
  // The villager, 3-D actor and map event waiting on the message hear that
  // it ended, each once.
  void TellMessageListeners();
  void SetWeather(int kind);
  // Replaces the rain with count new drops.
  void MakeRain(int count, int speed, int slant, int wind);
  void TickCaptionTimer();
  int TickHudTimers();
  void UpdateWeather();
  void MakeSnow();
  void DrawWeather(CRC& rc);
  void DrawDebugOverlay();
  void DrawScreenOverlay();
  bool IsHudActive() const;
  void DrawFieldHud();
  void DrawHudCaptions();
  void DrawLcdHud();
  // F9 writes the screen to a file.
  void TakeScreenshot();

  // ---- Minor modes: field menu, still menu, map view, scenario
  // selection, game over (SelvarinFrameModes.cpp).
  void OpenFieldMenu();
  void RunFieldMenuMode();
  void OpenStillMenu();
  void RunScreenshotMenu();
  void EnterMapView();
  void RunMapView();
  void EnterScenarioSelect();
  void RunScenarioSelect();
  void EnterGameOver();
  void RunGameOver();
  void LeaveMapView();
  // The menu input of modes 1, 7 and 10, in its fixed order.
  void RunMenuInput();
  // The desktop's passes, the pointer, the screenshot and the flip; the LCD
  // HUD too but over the game-over screen.
  void DrawMenuFrame(bool withLcdHud = true);
  // The screens' order: the scene pass (over the world when asked, else over
  // what the back buffer holds), the locked pass, the overlays, then the
  // same ending as DrawMenuFrame.
  void DrawScreenSession(bool overWorld, bool withLcdHud);
  void FinishMenuFrame(bool withLcdHud);
  // The height the map view rises to: 600 over the player.
  float MapViewTarget() const;
  bool MapViewEndPressed() const;
  void OpenGameOverMenu();

  // ---- Event scripts (script/) ----
  static constexpr int kChoiceSlots = 10;

  // Runs the map script from a line for a subject (an actor's or a map
  // event's name, empty for the frame), until a line ends the run or hands
  // control to the subject. The caller keeps the position's condition stack.
  // Virtual so that tests can watch the field's actors call it.
  virtual void RunEventScript(int line, const std::string& name, ScriptPosition& position);
  // Opens "movie\<file>" as the frame's video texture and starts it; the
  // field then shows it instead of the scene until its last frame.
  void PlayAvi(const std::string& file);
  // The second and third command groups: true when the run goes on with the
  // next line; the last ends a word no group knows. The second group's
  // words act on the subject actor (null for none).
  static bool ExecPhysicsCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int line,
                                 CSelvarinActor* subject, std::deque<int>& conditions);
  static bool ExecSystemCommand(CSelvarinFrame* frame, const CTokenizer& tokens, int line);
  // One tick of the script mode.
  void RunMacroScript();
  // Runs one macro command on its channel's actor (null for none).
  void ExecMacroCommand(const MacroCommand& command);
  // A newly pressed confirm button (4 or 5), marked held so that nothing
  // else this pass takes the same press.
  static bool TakeConfirmPress();

  // ---- Battles (battle/) ----
  // One tick of the battle: the quit key, the escape, the defeat and victory
  // checks, then the running battle and its drawing.
  void RunBattle();
  // The event script's run and its message window, one battle tick.
  void StepBattleScript();
  // The battle scene, the HUD, the widgets in phase 1 and the pointer, then
  // the flip.
  void DrawBattle();
  void DimScreen();
  // 0 when kind 3 finds nobody, else 1.
  int BuildTargetList(int kind);
  void ShowBattleResult();
  // A participant whose turn has come gets the action its tactics chose.
  void IssueBattleOrder(int position, int isParty);
  // The answer to a chosen command (message 6).
  void ValidateBattleCommand(int command, int index);
  // The per-tick phase machine and the battle camera.
  void BattleMenuInput();
  void DrawBattleHud();
  void LoadFaceImage();
  // The HUD's parts, inside its scene; their numbers, texts and pictures
  // with the back buffer locked.
  void DrawPartyPanels(int centre);
  void DrawActorPanels(int centre);
  void DrawPartyPanelTexts(int centre);
  void DrawActorPanelTexts(int centre);
  void DrawScreenFlashes();
  // The event script's message window and its lines.
  void DrawBattleMessage();
  // The element names of the monster table; "None" outside them.
  static const char* BattleElementName(int attr);
  // The party members standing, the money and the drops into the result,
  // then the result mode.
  void WinBattle();
  void LoseBattle();
  // True when no party member both has a battle actor and is up.
  bool IsPartyBeaten() const;
  // The drops of the battle set, rolled in list order into the result.
  void RollDrops();
  // The closing slow motion, the world update and the timers of a running
  // battle.
  void RunBattleWorld();
  void TickBattleTimers();
  void SetBattleCamera();
  // The camera of target and ground selection (phases 2-4): keypad buttons
  // 8 and 9 pull it back and in, the pointer at a screen edge shifts it.
  void SetSelectionCamera();
  void UpdateEdgeShift();
  // A right drag with the left button up turns the battle camera.
  void DragBattleCamera();
  // The event script's delay: counted down, then the script resumes.
  void TickDelay();
  void RunEscapePhase();
  // The highlighted target's blinking marker (phases 2 and 3) and the
  // debug statistics, drawn with the back buffer locked.
  void DrawTargetMarker();
  void DrawBattleDebugTexts();

  // ---- The battle result screen (battle/BattleResultScreen.cpp) ----
  // Keypad 4 or 5 pressed or pressed again, or a mouse button pressed.
  static bool ResultPress();
  void DrawBattleResult();
  void DrawResultMessage(CRC& rc, int oy);
  // Back to the mode the battle left, with its music.
  void LeaveBattleResult();

  // ---- Battle commands and aiming (battle/BattleCommands.cpp) ----
  // One tick of the target cursor: true when the mouse is over a
  // participant.
  bool MoveTargetCursor();
  // One tick of the ground cursor: the centre of the chosen cell.
  void MoveGroundCursor(float* x, float* z);
  // Phases 2 and 3, and phase 4, of BattleMenuInput.
  void RunTargetSelection();
  void RunGroundSelection();
  // A battle caption, as frame message 3 shows it, and its drawing over the
  // battle.
  void ShowBattleText(const char* text);
  void DrawBattleCaption();
  // The command's steps: phase 0 with the menu closed; a phase choosing
  // from a list (false, with the warning sound, when it is empty); the
  // ground phase; the rows that check and aim (false when no menu sound
  // is due); the cost of a chosen magic or skill.
  void StartActing();
  bool EnterTargetPhase(int phase, int list);
  void EnterGroundPhase();
  bool ValidateItemCommand(CBattlePlayer& member, int row);
  void ValidateFlee(CBattlePlayer& member);
  void ValidateEquip(CBattlePlayer& member, int row);
  bool ValidateCastCommand(CBattlePlayer& member, int command, int row);
  void TellPartner(CBattlePlayer& member);
  bool AimChosen(CBattlePlayer& member, int command, int chosen, int targetKind, bool revival);
  bool CheckRevival();
  void PayChosenCost(const CBattleActor& member);

  // ---- Frame messages (SelvarinFrameBattle.cpp) ----
  // What actors, scripts and battle widgets ask of the frame: 0 starts a
  // battle from the set at script line a (p and b kept), 1-14 set battle and
  // caption state; other types do nothing.
  void OnMessage(CObject* sender, int type, intptr_t p, intptr_t a, intptr_t b) override;
  // Runs the battle event script from a line with the frame's condition and
  // event stacks: the battle mode starts it at the script's first line, and
  // the battle message window resumes it. Virtual for the tests.
  virtual void RunBattleEventScript(int line);
  // A fresh battle's script state: nothing running or waiting, empty
  // stacks, the gauges shown and no speaker.
  void ResetBattleScript();

  // ---- Shop, inn and save screens (ui/) ----
  void EnterShopMode();
  void RunShopMode();

  // Play modes.
  int32_t m_mode = kModeField;
  int32_t m_prevMode = -1;
  int32_t m_pendingMode = -1;
  int32_t m_scriptModeRequest = 0;  // enters the script mode without its entry
  int32_t m_modeTick = 0;

  // Transitions: 0 none, 1 to 11 fades, fade-then-change-frame and
  // fade-then-warp.
  int32_t m_transKind = 0;
  int32_t m_transStep = 0;
  uint32_t m_transColor = 0;  // 0xRRGGBB
  uint8_t m_transAlphaStart = 0;
  uint8_t m_transAlphaTarget = 0;
  std::string m_transFrame;  // the frame kind 2 changes to
  float m_transYaw = 0.0f;   // the camera angle a warp turns to
  Vec3 m_warpPos;            // a party warp's x, facing and z
  float m_warpYaw = 0.0f;    // the camera angle the next "warpparty" takes
  int32_t m_playLock = 0;    // the player cannot steer the party

  // The script picture in the screen bitmap: counts down from 300.
  int32_t m_pictureCounter = 0;
  const CBitmapRes* m_pPicture = nullptr;
  int32_t m_pictureShown = 0;  // "showbmp" until "closebmp"
  int32_t m_scenarioStage = 0;  // what the scenario selection offers
  int32_t m_diaryEnabled = 1;   // scripts turn the diary off and on
  // The page mode 7 opens: 1 item box, 2 party, 3 save, 4 load.
  int32_t m_menuKind = 0;
  // What mode 4 opens: shop list n, its category set (1 or 2; 0 counts as
  // 1) and the screen (1 buy; 2 appraise and 3 sell are gone).
  int32_t m_shopNumber = 0;
  int32_t m_shopType = 0;
  int32_t m_shopKind = 0;
  // The map view: the camera values it gives back, the fog it turned off,
  // and -1 while it rises and waits, then the passes of the return.
  struct MapViewSaved {
    float yaw = 0.0f, targetDistance = 0.0f, pitch = 0.0f, distanceStep = 0.0f;
    int32_t fog = 0;
  };
  MapViewSaved m_mapViewSaved;
  int32_t m_mapViewPhase = -1;

  // The start script's position, and the macro of the script mode with
  // its runner's state.
  ScriptPosition m_scriptPosition;
  CMacroRes* m_pMacro = nullptr;
  int32_t m_macroFrame = 0;
  // 0 running, 1 waiting for the message window, 2 waiting for a key; the
  // limit is the macro's end frame.
  int32_t m_macroPause = 0;
  int32_t m_macroPauseLimit = 0;
  // The macro's commands by key: equal keys in channel order, then in the
  // order of their channel.
  std::vector<MacroCommand> m_macroCommands;
  size_t m_macroCommand = 0;  // the next to run

  // Battles.
  BattleSet m_battleSet;
  float m_battleCenterX = 0.0f, m_battleCenterZ = 0.0f;
  // The square the participants keep inside, centred on the battle centre,
  // and the station radius about that centre: both from the set's region
  // radius.
  struct BattleSquare {
    float centerX, centerZ, side;
  };
  BattleSquare GetBattleSquare() const {
    return {m_battleCenterX, m_battleCenterZ, 2.0f * m_battleSet.regionRadius};
  }
  float GetBattleStationRadius() const { return m_battleSet.regionRadius; }
  // The request timer: counts down each running battle tick.
  int32_t m_turnRequest = 0;
  // Battle phase: 0 running, 1 command menu, 2 choosing an attack target, 3
  // choosing an ally or a fallen member, 4 choosing a ground point, 5 opening
  // pause, 6 ended by the event script, 7 paused and dimmed, 8 running away,
  // 9 escaped.
  int32_t m_battlePhase = 0;
  CActor* m_pCurrentBattleActor = nullptr;  // lives in the context's battle objects
  // The battle state that message 0 resets; the actors live in the
  // context's battle objects, and each is cleared when its object goes.
  struct ScreenFlash {
    int32_t on = 0, tick = 0, value = 0, length = 0;
    uint32_t colour = 0;  // ARGB
  };
  struct TimedBattleEffect {
    int32_t on = 0, tick = 0, value = 0;
  };
  CActor* m_lookTarget = nullptr;    // the camera and the cursor marker follow it
  CActor* m_commandActor = nullptr;  // whose command is being chosen
  CActor* m_lastEnemyTarget = nullptr;
  CActor* m_lastAllyTarget = nullptr;
  int32_t m_battleFirstValue = 0;  // message 0's first value
  int32_t m_battleEventLine = -1;  // the enemy's battle event
  int32_t m_battleValue = 0;       // message 2
  // Message 4: flash frames, the delay before them and the colour kind.
  std::array<int32_t, 3> m_battleValues{};  // cleared after a battle
  // Message 5's hit counter: hits in a row, the value shown climbing toward
  // it, and the display time left.
  int32_t m_battleCounter = 0;
  int32_t m_hitShown = 0;
  int32_t m_hitTicks = 0;
  int32_t m_turnLock = 0;  // turn requests are ignored
  int32_t m_firstTurn = 0;
  int32_t m_phaseTick = 0;     // ticks since phase 0 began; phase 7's pause ticks
  int32_t m_pauseLength = 0;   // message 10's pause
  int32_t m_battleTick = 0;    // the closing ticks of a won battle
  // The chosen command: 0 attack, 1 defend, 2 move, 3 item, 4 flee, 5 auto,
  // 7 pass, 8 equip, 9 magic, 10 skill; -1 none.
  int32_t m_command = -1;
  int32_t m_selectKind = 0;   // how the chosen item, magic or skill is aimed
  int32_t m_chosenIndex = 0;  // the chosen item, magic or skill
  static constexpr int kTargetSlots = 12;
  std::array<CActor*, kTargetSlots> m_targetList{};
  int32_t m_targetCount = 0;
  int32_t m_targetCursor = 0;
  struct GroundCursor {
    int32_t dx = 0, dz = 0;          // cell offsets, each -13..13
    int32_t cellX = 0, cellZ = 0;    // the chosen cell
    int32_t keyMode = 0;             // moved by keys, else by the mouse
  };
  GroundCursor m_groundCursor;
  CActor* m_partner = nullptr;  // of a cooperative magic
  uint8_t m_groundSelect = 0;   // the ground cursor shows
  // The edge shift of the selection camera, per screen axis: -1, 0 or 1.
  int32_t m_edgeShiftX = 0, m_edgeShiftY = 0;
  int32_t m_battleScriptDelay = 0;  // ticks before the event script resumes
  int32_t m_debugSwitch = 0;        // the debug statistics show in battle
  // Set by a confirm in phase 0: the next member whose turn comes is put
  // under manual command.
  int32_t m_battleControl = 0;
  int32_t m_battleMusic = 0;    // the battle set changed the music
  int32_t m_faceImages = 1;     // the portraits along the lower right show
  std::array<ScreenFlash, 2> m_flashes{};  // message 13's colour bands
  TimedBattleEffect m_timedEffect;         // message 14
  std::array<std::deque<CActor*>, 2> m_orderQueues;
  BattleResult m_battleResult;  // reset as each battle begins
  float m_cameraSweep = 0.0f, m_cameraSweepStep = 0.0f;
  int32_t m_battleCameraSaved = 0;  // message 0 kept the camera for the battle's end
  // The battle event script (m_battleEventLine its first line,
  // m_battleScriptLine where it resumes): the running flag, the time-gauge
  // display, its two stacks and the participant who speaks its dialogue;
  // its end kind is the result's skipResult.
  int32_t m_battleScriptRunning = 0;
  int32_t m_gaugeShown = 1;
  std::deque<int> m_battleConditions;
  std::deque<int> m_battleEvents;
  CActor* m_pBattleSpeaker = nullptr;  // cleared when it goes
  // The camera as message 0 kept it; nothing when it kept none.
  void RestoreBattleCamera();

  // HUD state.
  int32_t m_messageState = 0;
  int32_t m_messageTick = 0;
  std::string m_caption;
  int32_t m_captionTimer = 0;
  int32_t m_overlayState = 0;
  int32_t m_overlayTick = 0;
  std::array<int32_t, 6> m_captionTimers{};
  std::array<int32_t, 5> m_pictureSlotCounters{};
  std::array<int32_t, 5> m_pictureSlotPeriods{};
  // The crowd captions whose texts the HUD draws; the context's effect list
  // owns them, and each leaves this list when it goes.
  std::list<CSysexCrowd*> m_speechCaptions;
  int32_t m_weather = 0;  // 0 none, 1 rain, 2 snow
  std::vector<RainDrop> m_rainDrops;
  int32_t m_snowPerTick = 5;
  int32_t m_snowSpeed = 5;   // tenths
  int32_t m_snowAtCamera = 0;
  // The message window: its lines, the next character of the text, the
  // speaker line (it narrows the window), and the instant and fast flags.
  std::array<std::string, kMessageLines> m_messageLines;
  int32_t m_messagePos = 0;
  std::string m_messageSpeaker;
  int32_t m_messageInstant = 0;
  int32_t m_messageFast = 0;
  int32_t m_battleScriptLine = -1;  // where the battle script resumes
  // The captions at the six anchors, their frame styles, the line of the
  // caption text, and the timed picture slots.
  std::array<std::string, 6> m_captionTexts;
  std::array<int32_t, 6> m_captionStyles{};
  int32_t m_captionLine = 0;
  std::array<std::string, 5> m_pictureSlotNames;
  int32_t m_pictureBlink = 0;
  int32_t m_blinkCalls = 0;
  // The overlay: state 2's length, pictures and layout, state 3's picture
  // flag, and state 4's shake.
  int32_t m_overlayLength = 0;
  std::array<std::string, 2> m_overlayPictures;
  int32_t m_overlayLayout = 0;
  int32_t m_flashbackShown = 0;
  int32_t m_shakeLimit = -1;  // -1 endless
  int32_t m_shakeAxis = 0;
  float m_shakeAmplitude = 0.0f;
  int32_t m_shaking = 0;  // the camera offset is the shake's
  float m_compassFade = 0.0f;
  int32_t m_actionSignFrame = 0;
  UIDesktop* m_pFieldMenu = nullptr;  // owned; null when closed
  // The field's party selection: an index into the compass points, -1 none.
  int32_t m_selectedMember = -1;
  std::array<CompassPoint, kCompassPoints> m_compassPoints{};
  int32_t m_compassCount = 0;
  int32_t m_compassOn = 1;  // the HUD shows, and the selection keys work
  int32_t m_northAngle = 0;  // degrees
  int32_t m_choiceX = 0, m_choiceY = 0, m_choiceWidth = 0;
  std::array<CTexture*, 5> m_overlayTextures{};  // owned
  int32_t m_aviOpen = 0;  // while the frame's video texture plays
  std::unique_ptr<CAviTexture> m_pAvi;  // made by the first movie

  // Field mode: the cursor (0 to 7) and what a click would go to.
  int32_t m_cursorKind = 0;
  CSelvarinActor* m_pPickedActor = nullptr;      // cleared when it goes away
  CSelvarin3dActor* m_pPicked3dActor = nullptr;  // likewise
  int32_t m_cameraRotating = 0;
  int32_t m_f3Latch = 0, m_f4Latch = 0;
  int32_t m_menuAllowed = 1;  // F2 and a right click on the player open the menu
  int32_t m_scriptBusy = 0;   // set by scripts: no menu keys, no triggers
  // The choice list of a dialogue: 0 choices when closed.
  std::array<std::string, kChoiceSlots> m_choiceTexts;
  int32_t m_choiceCount = 0;
  int32_t m_choiceSelected = 0;
  int32_t m_choiceMouseOver = 0;
  int32_t m_choiceLine = 0;  // the "choose" line, modulo 10000
  std::string m_choiceSpeaker;
  // The message window's text, the characters a closed page takes from its
  // front, its current line, and who hears when it closes (or waits for the
  // choice): the villager, else the map event, else the 3-D actor.
  std::string m_messageText;
  int32_t m_messagePending = 0;
  int32_t m_balloonKind = 3;        // 0 say, 1 shout, 2 ear and monologue, 3 none
  uint32_t m_messagePageTime = 0;   // when a next page began, clock milliseconds
  int32_t m_messageItem = -1;       // the item a notice names, -1 none
  int32_t m_messageLine = 0;
  CSelvarinActor* m_pMessageVillager = nullptr;
  C3dActor* m_pMessage3dActor = nullptr;
  MapEvent* m_pMessageEvent = nullptr;
  // The map's field bounds, set by map loading; the camera keeps inside.
  float m_mapMinX = -500.0f, m_mapMaxX = 500.0f, m_mapMinZ = -500.0f, m_mapMaxZ = 500.0f;

 private:
  struct ModeActions {
    void (CSelvarinFrame::*entry)();
    void (CSelvarinFrame::*tick)();
  };
  // Entry action and tick of each mode, by number.
  static const ModeActions s_modes[11];

  void ResetPlayState();
  // Field mode's steps.
  void StepPartyKeys(int noMap);
  void ConfirmMessage();
  bool PickUnderCursor(int x, int y, float distance, int width);
  void ResumeAtChoice();
  void DrawField();
  void DrawBackground();
  void DrawSky();
  void DrawScene();
  // The view once into the back buffer, kept whole in saved slot 0.
  void SaveStill();
  void ReadFrameKeys();
  void StartScript();
  void KeepMusicGoing();
  void ShowScreenPicture();
  void RunModeTick();
  void EnterField();
  void EnterBattle();
  // Message 0's and message 11's steps.
  void StartBattle(CObject* sender, intptr_t p, intptr_t line, intptr_t eventLine);
  void ResetBattleState();
  void PlayBattleMusic();
  void RequestTurn(CObject* sender, intptr_t p, intptr_t a);
  void JoinNextMember();
  void StartFlash(intptr_t value, intptr_t length, intptr_t colour);
  void EnterScriptMode();
  // The current macro's commands, from the start; the clock and the macro
  // actors begin again.
  void StartMacro();
  // The runner's upkeep and drawing, every tick.
  void RunMacroUpkeep();
  // The script mode's end: the macro actors written back and freed.
  void EndMacro();
  void Warp();
  // The HUD's parts.
  bool CompassWanted() const;
  const CompassPoint* SelectedPoint() const;
  std::string CompassLabel() const;
  std::string PendingText() const;
  void DrawPendingNotice(int width);
  void DrawSpeakerPortrait(int width, int height);
  void DrawCompass();
  void DrawPictureSlots();
  void DrawActionModeSign();
  void ResetHudState();

 public:
  static float OverlayAlpha(int tick, int length);
};

// The game frame that runs, set by its Init; null before the first.
CSelvarinFrame* GetGameFrame();
