#pragma once
// The window "dialog_manager": plays the game's dialogues in speech clouds.
// Every dialogue is read from the XML resource "strings" at construction;
// each character has one cloud window, built from the scene named like the
// character. A running part shows one line per click (at most one every
// 0.2 s) in its speaker's cloud; the skip button jumps to the end, where
// every cloud plays "dialogue_stop" and then "move_out". Other parts of the
// game ask IsActive before they react to input.

#include "engine/windows/cGameWindow.h"
#include "game/play/sDialogLine.h"

#include <map>
#include <string>
#include <vector>

class cXmlNode;

class cDialogManager : public cGameWindow
{
public:
	// Hangs under the effect window's "rt/target" (under the default camera
	// when there is none), builds the skip button and every cloud, and
	// becomes the global manager.
	explicit cDialogManager(cSceneObject* effectWindow);
	~cDialogManager() override;

	// The manager made last, or null.
	static cDialogManager* Get() { return s_instance; }

	// Never consumes the click: a left click once the line delay has run
	// out asks for the next line.
	bool HandleInput() override;
	void Update(float dt) override;
	void Show() override;
	void Hide() override;

	// Starts a part of a dialogue; while the manager is not visible the
	// start is kept (replacing one kept before) until it is next shown.
	void StartDialog(const std::string& dialog, const std::string& part);
	// From now on starting part starts newPart.
	void RenamePart(const std::string& part, const std::string& newPart) { m_partRenames[part] = newPart; }
	// Lines are queued or a shown cloud is visible.
	bool IsActive() const;
	// Hides every shown cloud and ends the running dialogue at once; a kept
	// start stays.
	void HideClouds();
	// The skip button's handler: drops the queued lines; the next update
	// runs the end.
	void OnSkip(cSceneObject* sender);

	// The cloud of the character, or null.
	cGameWindow* GetCloud(const std::string& character) const;
	const std::vector<sDialogLine>* FindPart(const std::string& dialog, const std::string& part) const;
	cSceneObject* GetSkipButton() const { return m_skipButton; }

private:
	// How far a shown cloud has come through the end.
	enum eEndStage
	{
		kNotEnding,
		kStopStarted,
		kMoveOutStarted,
	};

	void ReadDialogs();
	void ReadDialog(const cXmlNode& dialog);
	void AddCloud(const std::string& character, const std::string& partName);
	void ShowNextLine();
	// Plays the ending clips of the shown clouds; true once every cloud has
	// finished "dialogue_stop" and started "move_out".
	bool RunEnd();
	bool IsAnyShownCloudVisible() const;
	static bool IsPlaying(cSceneObject* object);
	static void Play(cSceneObject* object, const std::string& name);

	static inline cDialogManager* s_instance = nullptr;

	std::string m_pendingDialog;
	std::string m_pendingPart;
	std::map<std::string, std::map<std::string, std::vector<sDialogLine>>> m_dialogs;
	std::map<std::string, cGameWindow*> m_clouds;
	std::map<std::string, std::string> m_partRenames;
	std::vector<sDialogLine> m_lines;
	std::vector<cGameWindow*> m_shownClouds;
	std::map<cGameWindow*, eEndStage> m_endStages;
	cGameWindow* m_speaker = nullptr;
	cSceneObject* m_skipButton = nullptr;
	bool m_nextRequested = false;
	bool m_waitingForClouds = false;
	float m_lineDelay = 0;
};
