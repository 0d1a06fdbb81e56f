#pragma once
// One run of the real game program on freshly generated demo content, as a
// player meets it: started in a window on an X server of the run's own (or
// on the user's display, to be watched), its sound written to a file by
// SDL's disk driver, driven only by X input events, its screens read back.

#include "../GameProcess.h"
#include "cScreenLayout.h"
#include "sScreenshot.h"

#include <memory>
#include <string>
#include <vector>

class cXWindowProbe;

class cGameRun
{
public:
	// Generates the content into a folder of its own and opens the display:
	// a private X server, or the user's display when ZV2_PLAYTHROUGH_VISIBLE is set.
	cGameRun();
	~cGameRun();
	cGameRun(const cGameRun&) = delete;
	cGameRun& operator=(const cGameRun&) = delete;

	bool IsReady() const { return m_ready; }
	const std::string& ContentFolder() const { return m_content; }
	// The folder of the player's settings, log-free: "zv2.xml", "profiles.data".
	std::string SettingsFolder() const;

	// Starts the game with the arguments.
	void Start(const std::vector<std::string>& arguments);
	// Starts the game and waits for its window; false when it never showed one.
	bool Launch(const std::vector<std::string>& arguments = {});
	// Waits for the game to end; its exit code, or -1 when it had to be killed.
	int WaitForEnd(std::chrono::seconds limit);
	// True when the game ended within the limit; it is left running otherwise.
	bool EndsWithin(std::chrono::seconds limit);
	double SecondsSinceLaunch() const;

	// The window's pixels now.
	sScreenshot Capture() const;
	// The screen once it has not changed for the stillness (animations
	// ended), or the last capture when it never is within the limit.
	sScreenshot CaptureStill(std::chrono::milliseconds stillness = std::chrono::milliseconds(500),
		std::chrono::seconds limit = std::chrono::seconds(15)) const;
	// Waits until the screen is no longer the given one; false at the limit.
	bool WaitForChange(const sScreenshot& from, std::chrono::seconds limit = std::chrono::seconds(20)) const;
	// Waits until more than the share of the box's pixels differ from the
	// picture; false at the limit.
	bool WaitForBoxChange(const sScreenshot& from, const sScreenBox& box, double share,
		std::chrono::milliseconds limit) const;
	// Waits until the box has not changed for the stillness (within the
	// limit), or until the victory star shows: it shows only for a while,
	// and is not waited out.
	void WaitForBoxStill(const sScreenBox& box, std::chrono::milliseconds stillness = std::chrono::milliseconds(250),
		std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

	// Input in logical screen pixels (1024 by 768, y down).
	void MoveTo(int x, int y) const;
	// Moves the pointer to the point and gives the game time to see it
	// there: a slow game may take a click in the frame that first sees the
	// pointer, and read what lay under it in the frame before.
	void RestPointerAt(int x, int y) const;
	// The pointer to the top right corner, where it covers nothing, so that
	// every run draws the same screens.
	void ParkPointer() const;
	void ClickAt(int x, int y) const;
	// A right click where the pointer is moved to.
	void RightClickAt(int x, int y) const;
	// Presses the left button at one point, moves to the other in steps and
	// lets go there.
	void DragFromTo(int fromX, int fromY, int toX, int toY) const;
	// Holds the left button down (or lets it go) where the pointer is.
	void SetLeftButton(bool down) const;
	// Clicks the centre of the object of the generated scene.
	bool Click(const cScreenLayout& layout, const std::string& path) const;
	// Clicks the object again every second and a half until the screen
	// changes (a button may take input only once its window has settled);
	// false when it never does within the limit.
	bool ClickUntilChanged(const cScreenLayout& layout, const std::string& path,
		std::chrono::seconds limit = std::chrono::seconds(20)) const;
	// Rests the pointer on the point, then clicks there until more than the
	// share of the box has changed (a click may come while the game still
	// refuses input), for at most the attempts, and waits for the box to be
	// still again; false when it never changed.
	bool ClickUntilBoxChanges(int x, int y, const sScreenBox& box, double share, int attempts = 4) const;
	// The same at the centre of the object of the generated scene, watching
	// its box; false too when the scene has no such object.
	bool ClickUntilBoxChanges(const cScreenLayout& layout, const std::string& path, double share) const;
	void PressKey(unsigned long keySymbol) const;
	// Types the letters, digits and spaces of the text.
	void Type(const std::string& text) const;
	// The window's close box.
	void RequestClose() const;

	// The game's log as written so far.
	std::string Log() const;
	// Bytes of sound written so far, and whether any sample after the
	// offset is not silence.
	size_t SoundBytes() const;
	bool HeardSince(size_t offset) const;
	// Whether a sound after the offset went on without a break (no
	// hundredth of a second near silence) for at least the length: music
	// or a long effect, not the short ticks and drips of a room.
	bool HeardWithoutBreakSince(size_t offset, std::chrono::milliseconds length) const;

private:
	bool m_ready = false;
	std::string m_root;
	std::string m_content;
	std::unique_ptr<cPrivateDisplay> m_display;
	std::unique_ptr<cXWindowProbe> m_probe;
	pid_t m_game = -1;
	int m_endStatus = -1;
	unsigned long m_window = 0;
	std::chrono::steady_clock::time_point m_launched;
};
