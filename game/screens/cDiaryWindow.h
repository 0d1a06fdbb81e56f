#pragma once
// The diary page with the map of the story's locations, the window "map"
// built from the scene "diary" under the map-effect window's "rt/target".
// Its numbered points ("1", "2", ...) stand for the locations, each with a
// label ("location1", ...; "location0" stands for no selection) and a
// diary text. Points appear as the progress record's map places open; the
// property "complete" opens one, which is then revealed with "hide" and
// "show" once the window is working.
//
// Loading mode: shown while the next location loads, with "main" and
// "loading" playing and close disabled until the load has finished
// ("complete"); close then shows the loaded location. Viewing mode: opened
// from the game panel, closable at once, and the location's music returns
// on close. Every Show is in loading mode unless the next mode was set to
// viewing just before.

#include "engine/resources/cResourceHandle.h"
#include "engine/windows/cGameWaitDialog.h"

#include <vector>

class cDiaryWindow : public cGameWaitDialog
{
public:
	// Without the map-effect window (or its "rt/target") the diary hangs
	// under the default camera object.
	explicit cDiaryWindow(cGameWindow* mapEffect);
	~cDiaryWindow() override;

	// The diary, or null while none exists.
	static cDiaryWindow* Get() { return s_instance; }

	// Sort key 50 for the subtree.
	void OnLoaded() override;
	void Update(float dt) override;
	// Loading mode: not before 1.5 s, when a new point is first shown.
	bool IsAppearFinished() override;
	// Loading mode: once the map-effect window's "disappear" has played.
	bool IsDisappearFinished() override;
	// Enabled exactly while working.
	void SetState(int state) override;
	void Show() override;
	void Hide() override;

	// Selects the point (null: none): its label shows, the diary text
	// follows it, and the point cannot be clicked while selected.
	void SelectPoint(cSceneObject* point);
	// Ignored while a location loads or while close still fades in.
	void OnCloseClick(cSceneObject* clicked);
	// The setter of "complete": opens point n (from 1); other values do nothing.
	void SetComplete(int* value);

	// The mode of the next Show (loading or viewing).
	void SetNextMode(bool loading) { m_nextMode = loading; }
	bool IsLoadingMode() const { return m_loadingMode; }
	bool IsLoaded() const { return m_loaded; }
	int GetRevealPhase() const { return m_revealPhase; }
	cSceneObject* GetSelectedPoint() const { return m_selectedPoint; }
	const std::vector<cSceneObject*>& GetPoints() const { return m_points; }
	const std::vector<cSceneObject*>& GetLabels() const { return m_labels; }

private:
	// The point of the last map place: the last point for a place past the
	// end, none for a negative place, without points or without places.
	cSceneObject* CurrentPlacePoint() const;
	int IndexOf(cSceneObject* point) const;
	void ShowLabel(int index, bool visible);
	void EnableClose(bool enabled);

	static inline cDiaryWindow* s_instance = nullptr;

	float m_appearCountdown = 0;
	cGameWindow* m_mapEffect;
	std::vector<cSceneObject*> m_points;
	std::vector<cSceneObject*> m_labels;
	cSceneObject* m_diaryText = nullptr;
	cSceneObject* m_selectedPoint = nullptr;
	int m_revealPhase = 0;
	bool m_loaded = false;
	cResourceHandle m_music;
	bool m_loadingMode = true;
	bool m_nextMode = true;
	// The time step of the update that runs the state checks.
	float m_frameTime = 0;
};
