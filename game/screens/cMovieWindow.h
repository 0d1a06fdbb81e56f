#pragma once
// A cut-scene shown as a waiting dialog built from the scene of its name:
// its "movie" clips play once, and the wait ends when they have run out,
// or earlier on Escape or a left click, no sooner than 2 seconds after the
// start and never while the property "notclicked" is set. The credits are
// such a movie.

#include "engine/windows/cGameWaitDialog.h"

class cMovieWindow : public cGameWaitDialog
{
public:
	// A missing scene leaves the window without a movie.
	cMovieWindow(const std::string& sceneName, cSceneObject* parent);

	void OnLoaded() override;
	// Never consumes the input.
	bool HandleInput() override;
	void Update(float dt) override;
	void EnterState(int state) override;
	void Show() override;
	void Hide() override;

	bool HasMovie() const { return !m_noMovie; }
	bool IsNotClicked() const { return m_notClicked; }
	float GetRemaining() const { return m_remaining; }

private:
	bool m_noMovie = false;
	bool m_notClicked = false;
	float m_remaining = 0;
	float m_clickGuard = 0;
};
