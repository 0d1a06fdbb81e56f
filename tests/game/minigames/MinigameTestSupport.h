#pragma once
// A minimal minigame over a scene written in the test: a frame "border"
// with its close and skip buttons and description, a skip bar object that
// plays "fill", and a puzzle picture. Sizes are on the minigame's own
// 1024 by 768 screen, y up.

#include "../../engine/graphics/ModelTestSupport.h"
#include "../../engine/windows/WindowTestSupport.h"

#include "game/minigames/MinigameEffect.h"
#include "game/minigames/cMinigame.h"

#include <set>
#include <string>

// Solves on request, either as most minigames do (with the victory sound)
// or as the keypads do: solved at once, the win left to the countdown.
class cTestMinigame : public cMinigame
{
public:
	using cMinigame::cMinigame;

	void SolveWithVictory() { Solve(); }
	void SolveQuietly(float delay)
	{
		m_solved = true;
		m_victoryDelay = delay;
	}
	// As a minigame whose frame is another object: outside clicks count
	// even without a border.
	void ClaimBorder(const cBoundingBox& box)
	{
		m_hasBorder = true;
		m_windowBox = box;
	}
};

struct sRect
{
	float left, bottom, right, top;
};

// The frame, and inside it the close button (top right) and the skip
// button (bottom left).
constexpr sRect kFrame { 320, 240, 704, 528 };
constexpr sRect kClose { 640, 480, 704, 528 };
constexpr sRect kSkip { 320, 240, 384, 288 };
// The puzzle's picture, overlapping the frame's lower left.
constexpr sRect kPuzzle { 200, 100, 500, 400 };

// The skip bar: the "slide" motion's "fill" clip runs 3 s, the animation
// "fill" of its visual 2 s.
inline std::string MinigameScene(bool withBorder)
{
	std::string scene = R"(<geometry name="puzzle" model="puzzle_quad"/>
		<bar name="bar" motion="slide"><add_motion name="fill" first="0" last="30" length="3"/></bar>)";
	if (withBorder)
		scene += R"(<geometry name="border" model="frame_quad" local="1 0 0 0 1 0 0 0 1 0 0 -7">
			<button name="close" model="close_quad"/>
			<button name="skip" model="skip_quad"/>
			<object name="description"/>
		</geometry>)";
	return scene;
}

// The quads of the scene, each in one texture colour when textured.
inline void AddMinigameModels(cTestResources& resources, bool textured)
{
	const struct
	{
		const char* name;
		sRect rect;
		const char* texture;
	} quads[] = {
		{ "frame_quad", kFrame, "blue" },
		{ "close_quad", kClose, "blue" },
		{ "skip_quad", kSkip, "blue" },
		{ "puzzle_quad", kPuzzle, "green" },
		{ "effect_quad", { 0, 0, 100, 100 }, "red" },
	};
	for (const auto& quad : quads)
	{
		cModel model;
		AddQuad(model, quad.rect.left, quad.rect.bottom, quad.rect.right, quad.rect.top);
		model.materials = { textured ? Material(0, 2, { quad.texture }) : Material(0, 2) };
		resources.Add("model", quad.name, ModelBytes(model));
	}
	if (!textured)
		return;
	resources.Add("texture", "blue", DdsFile(1, 1, { 0xFF0000FF }));
	resources.Add("texture", "green", DdsFile(1, 1, { 0xFF00FF00 }));
	resources.Add("texture", "red", DdsFile(1, 1, { 0xFFFF0000 }));
}

// Plays only the named clips, each for the visual's length in seconds;
// other names leave it as it is, as a model without such a clip does.
// Keeps the fractions it was sought to.
class cClipVisual : public cProbeVisual
{
public:
	cClipVisual(cSceneObject* owner, std::set<std::string> clips, float seconds)
		: cProbeVisual(owner), m_clips(std::move(clips))
	{
		length = seconds;
	}
	void PlayAnimation(const std::string& name) override
	{
		if (!m_clips.count(name))
			return;
		animation = name;
		playing = true;
		time = 0;
	}
	void SeekAnimation(float fraction) override
	{
		cProbeVisual::SeekAnimation(fraction);
		seeks.push_back(fraction);
	}
	void Update(float dt) override
	{
		if (!playing)
			return;
		time += dt;
		playing = time < length;
	}

	std::vector<float> seeks;

private:
	std::set<std::string> m_clips;
};

// Types "bar" (plays "fill" and "complete", 2 s) and "sparkle" (plays
// "appear" for half a second).
inline void RegisterClipTypes()
{
	cSceneManager* scene = cSceneManager::GetInstance();
	scene->RegisterObjectType("bar", [](const std::string& name, cSceneObject* parent) {
		auto* object = new cSceneObject(name, parent);
		object->SetVisual(new cClipVisual(object, { "fill", "complete" }, 2.0f));
		return object;
	});
	scene->RegisterObjectType("sparkle", [](const std::string& name, cSceneObject* parent) {
		auto* object = new cSceneObject(name, parent);
		object->SetVisual(new cClipVisual(object, { "appear" }, 0.5f));
		return object;
	});
}

// The overlay's scene: a red square and sparkles that play "appear".
inline const char* EffectScene()
{
	return R"(<geometry name="picture" model="effect_quad"/><sparkle name="sparks"/>)";
}

inline cProbeVisual& EffectProbe()
{
	return Probe(GetMinigameEffect()->GetChildList().FindChild("sparks"));
}
