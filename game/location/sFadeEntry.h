#pragma once
// A half-second fade of one object in or out, started by the scenario.
// While it runs the object's colour carries the fade in its alpha; when it
// ends, early or not, the object is left shown opaque or hidden.

class cSceneObject;

struct sFadeEntry
{
	static constexpr float Length = 0.5f;

	virtual ~sFadeEntry() = default;

	// Shows the object and starts it from transparent (in) or opaque (out).
	void Start(cSceneObject* target, bool in);
	// Advances the fade; true once it has reached its end.
	bool Step(float dt);
	// Puts the object in the fade's final state at once.
	void Finish();

	cSceneObject* object = nullptr;
	bool fadeIn = false;
	float timeLeft = 0;

private:
	void SetAlpha(float alpha);
};
