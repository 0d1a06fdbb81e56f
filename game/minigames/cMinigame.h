#pragma once
// The window every minigame derives from. It looks through its own
// orthographic camera, builds its children from the scene named like the
// minigame, and frames the puzzle with the child "border", which holds the
// buttons "close" and "skip" and the text "description". A skip bar (the
// clip "fill") runs from the showing; once it is full, "complete" plays and
// the skip button works. A click outside the frame closes the window. A
// minigame plays its sounds through a map from event names to sounds.
//
// Solving: a minigame calls Solve, which plays "victory" (setting the
// result "win" and showing the effect overlay) and counts down the sound's
// length; the window hides once the sound has run out and the overlay is
// idle. The scenario reads the result once the window is hidden: "win"
// after a solve or a skip, "" after a close.

#include "engine/foundation/cBoundingBox.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/windows/cGameWindow.h"

#include <map>
#include <string>

class cCameraObject;

class cMinigame : public cGameWindow
{
public:
	// name is the registered minigame name: it names the window, its scene
	// and its description text ("minigame\" followed by the name).
	cMinigame(const std::string& name, cSceneObject* parent);

	// Starts or restarts the puzzle: result "", not solved, the skip bar
	// from the start, outside clicks ignored for a moment; the window goes
	// on top of the modal list and appears.
	void Show() override;
	// Closes the window; a solved puzzle keeps its win.
	void Hide() override;
	void Update(float dt) override;
	// Queues the border after the rest of the window, through the camera
	// the window received, so that the frame is drawn over the puzzle.
	void CollectDraw(std::vector<sDrawEntry>& queue, cCamera*& camera) override;

	// The skip button's handler: a win without the victory countdown.
	void Skip(cSceneObject* sender = nullptr);
	// The close button's handler.
	void OnClose(cSceneObject* sender = nullptr);
	// Starts the part "need_code" of the dialogue and lets the window take
	// no input until no dialogue runs any more. The argument is not used.
	void NeedCode(const std::string& dialog, const std::string& argument);

	// Plays the event's sound and gives its length in seconds; 0 when the
	// event has no sound, or when restart is false and the sound still
	// plays. The event "victory" sets the result "win" and shows the effect
	// overlay whether or not it has a sound.
	float PlaySound(const std::string& event, bool loop, bool restart);
	// Every instance of the event's sound fades out over seconds.
	void FadeOutSound(const std::string& event, float seconds);
	// Every instance of the event's sound stops at once.
	void StopSound(const std::string& event);
	// An instance of the event's sound is still registered.
	bool IsSoundPlaying(const std::string& event) const;
	// Binds the event to the sound resource of the name.
	void MapSound(const std::string& event, const std::string& sound);

	const std::string& GetResult() const { return m_result; }
	bool IsSolved() const { return m_solved; }
	float GetVictoryDelay() const { return m_victoryDelay; }
	bool IsSkipBarComplete() const { return m_skipComplete; }
	cCameraObject* GetCamera() const { return m_camera; }
	cSceneObject* GetBorder() const { return m_border; }
	const cBoundingBox& GetWindowBox() const { return m_windowBox; }

protected:
	// The solve: unless already solved, plays "victory" and waits for it.
	void Solve();

	std::string m_result;
	bool m_solved = false;
	// Counts down while solved; the window may hide once it is below 0.
	float m_victoryDelay = 0;
	// Whether clicks outside the window box close the window; a minigame
	// without a border may set it and its own box.
	bool m_hasBorder = false;
	cBoundingBox m_windowBox;

private:
	void UpdateSkipBar(float dt);
	void CheckOutsideClick();
	void CountDownVictory(float dt);
	// The overlay is shown and an animation or motion plays in it.
	static bool IsEffectBusy();
	void SetSkipEnabled(bool enabled);

	float m_skipTime = 0;
	float m_skipLength = 0;
	bool m_skipComplete = false;
	float m_inputDelay = 0;
	bool m_closing = false;
	cCameraObject* m_camera;
	cSceneObject* m_border = nullptr;
	cSceneObject* m_closeButton = nullptr;
	std::map<std::string, cResourceHandle> m_sounds;
};
