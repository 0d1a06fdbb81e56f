#pragma once
// The object type "slider": a value from min to max shown by a thumb (the
// child whose "object" property is "button") moved along a track (the
// child whose "object" is "tracker", or the slider itself). The thumb's
// position in the scene is the minimum. While the cursor is over the thumb
// the slider is modal; dragging it sets the value. Every value set fires
// "on_change", also an unchanged one.
//
// Properties: "vertical", "min" and "max" (write only), "cur".
//
// Building sets properties before the children exist: a value set before
// the thumb is found is stored and the thumb is placed for it once loaded.

#include "engine/foundation/cBoundingBox.h"
#include "engine/foundation/cVector3d.h"
#include "engine/scene/cSceneObject.h"

class cQuadVisual;

class cSlider : public cSceneObject
{
public:
	cSlider(const std::string& name, cSceneObject* parent);
	static cSceneObject* Create(const std::string& name, cSceneObject* parent);

	// Finds the thumb and the tracker and measures the track.
	void OnLoaded() override;
	bool HandleInput() override;
	std::string GetTypeName() const override { return "slider"; }

	// Clamps the value into min..max, stores it, moves the thumb to it and
	// fires "on_change" unless this runs inside an "on_change" handler.
	void SetValue(int value);

	int GetValue() const { return m_value; }
	cSceneObject* GetThumb() const { return m_thumb; }
	const cVector3d& GetLength() const { return m_length; }

private:
	// Moves the thumb by the change of the value's offset along the track,
	// by its world matrix when that is up to date, else by its local one.
	void PlaceThumb(bool worldKnown);
	int ValueAt(float x, float y) const;
	void OnMin(int* value);
	void OnMax(int* value);
	void OnCur(int* value) { SetValue(*value); }
	void GetCur(int* value) { *value = m_value; }

	cQuadVisual* m_visual;
	cSceneObject* m_tracker = nullptr;
	cSceneObject* m_thumb = nullptr;
	cVector3d m_start;
	cVector3d m_length;
	cVector3d m_lastOffset;
	bool m_inChange = false;
	int m_value = 0;
	int m_min = 0;
	int m_max = 100;
	cBoundingBox m_trackBox;
	bool m_vertical = false;
	bool m_dragging = false;
};
