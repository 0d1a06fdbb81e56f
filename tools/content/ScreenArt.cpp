#include "ScreenArt.h"

#include "engine/scene/cMotionWriter.h"

#include <cmath>

const char* const kScreenTexts[][3] = {
	{"comic", "part1", "Part 1: a letter arrives at noon"},
	{"comic", "part2", "Part 2: that night the door is open"},
	{"credits", "title", "Hidden Object Demo"},
	{"credits", "line1", "A demo of the zv2 engine"},
	{"credits", "line2", "Rooms, puzzles and pictures drawn by code"},
	{"credits", "line3", "Thank you for playing"},
	{"credits", "line4", "Click or press Escape to go on"},
	{"diary", "label0", "Choose a place"},
	{"diary", "label1", "1. The study"},
	{"diary", "label2", "2. The cellar"},
	{"diary", "location0", "Visited places appear on the map."},
	{"diary", "location1", "The study: old papers, a locked box."},
	{"diary", "location2", "The cellar: cold, dark and tidy."},
	{"diary", "loading", "Loading the next place..."},
	{"diary", "ready", "Ready: close the diary to go on."},
	{"diary", "new_place", "A new place is marked on the map!"},
};
const size_t kScreenTextCount = sizeof kScreenTexts / sizeof kScreenTexts[0];

namespace
{
const float kPi = 3.14159265f;

const sRgba kInk{60, 40, 20, 255};
const sRgba kParchment{236, 222, 186, 255};
const sRgba kGold{250, 200, 60, 255};
// The diary's writing.
const sColor kInkColour(0.24f, 0.16f, 0.08f, 1);

bool InCircle(float x, float y, float cx, float cy, float radius)
{
	return (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
}

// A framed picture: a sky over a field, a sun or a moon, and a house whose
// door stands open at night.
cImage DrawComicPanel(bool night)
{
	const int width = 230;
	const int height = 170;
	cImage image(width, height);
	image.FillRect(0, 0, width, height, night ? sRgba{20, 30, 70, 255} : sRgba{120, 180, 240, 255});
	image.FillRect(0, 120, width, height, night ? sRgba{20, 60, 30, 255} : sRgba{80, 160, 70, 255});
	const sRgba light = night ? sRgba{240, 240, 210, 255} : sRgba{255, 220, 60, 255};
	image.FillShape(150, 10, 200, 60, [](float x, float y) { return InCircle(x, y, 175, 35, 22); }, light);
	image.FillRect(40, 70, 120, 130, {170, 90, 60, 255});
	image.FillShape(30, 30, 130, 71, [](float x, float y) { return y > 30 + std::fabs(x - 80) * 0.8f; },
		{120, 40, 30, 255});
	image.FillRect(70, 95, 90, 130, night ? sRgba{250, 220, 120, 255} : sRgba{80, 50, 30, 255});
	for (int edge = 0; edge < 4; ++edge)
	{
		image.FillRect(edge, edge, width - edge, edge + 1, kInk);
		image.FillRect(edge, height - edge - 1, width - edge, height - edge, kInk);
		image.FillRect(edge, edge, edge + 1, height - edge, kInk);
		image.FillRect(width - edge - 1, edge, width - edge, height - edge, kInk);
	}
	return image;
}

cImage DrawSolid(const sRgba& colour)
{
	cImage image(8, 8);
	image.FillRect(0, 0, 8, 8, colour);
	return image;
}

// A golden arrow with a dark rim on a 64 by 64 cell pointing down, left
// or right.
cImage DrawArrow(char direction)
{
	auto inside = [direction](float x, float y, float inset) {
		// Along the arrow from its tail (0) to its tip (64), and across it.
		const float along = direction == 'd' ? y : direction == 'l' ? 64 - x : x;
		const float across = std::fabs((direction == 'd' ? x : y) - 32);
		const bool shaft = along > 4 + inset && along < 40 && across < 9 - inset;
		const bool head = along >= 32 && along < 60 - inset && across < (60 - along) * 1.1f - inset;
		return shaft || head;
	};
	cImage image(64, 64);
	image.FillShape(0, 0, 64, 64, [&](float x, float y) { return inside(x, y, 0); }, kInk);
	image.FillShape(0, 0, 64, 64, [&](float x, float y) { return inside(x, y, 3); }, kGold);
	return image;
}

// A golden ring around the place a hint points at.
cImage DrawRing()
{
	cImage image(96, 96);
	image.FillShape(0, 0, 96, 96,
		[](float x, float y) { return InCircle(x, y, 48, 48, 46) && !InCircle(x, y, 48, 48, 38); }, kGold);
	return image;
}

// A parchment page with a darker edge and a ruled right half.
cImage DrawPage()
{
	const int width = 400;
	const int height = 280;
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {150, 110, 60, 255});
	image.FillRect(6, 6, width - 6, height - 6, kParchment);
	image.FillRect(width / 2 - 1, 12, width / 2 + 1, height - 12, {190, 160, 110, 255});
	for (int line = 60; line < height - 20; line += 20)
		image.FillRect(width / 2 + 14, line, width - 16, line + 1, {205, 185, 140, 255});
	return image;
}

// The map: land with a river and a dotted path from the study (upper
// left) to the cellar (lower right).
cImage DrawMap()
{
	const int width = 220;
	const int height = 180;
	cImage image(width, height);
	image.FillRect(0, 0, width, height, {120, 100, 70, 255});
	image.FillRect(3, 3, width - 3, height - 3, {150, 190, 110, 255});
	image.FillShape(0, 0, width, height,
		[](float x, float y) { return std::fabs(y - (90 + 30 * std::sin(x / 30))) < 6 && x > 3 && x < 217; },
		{70, 120, 200, 255});
	for (int step = 0; step < 10; ++step)
	{
		const float t = step / 9.0f;
		const float cx = 44 + t * 90;
		const float cy = 39 + t * 60;
		image.FillShape(int(cx) - 3, int(cy) - 3, int(cx) + 4, int(cy) + 4,
			[=](float x, float y) { return InCircle(x, y, cx, cy, 2.5f); }, {110, 70, 40, 255});
	}
	return image;
}

// A 2 by 2 atlas of a red map pin: normal, hovered, pressed, disabled
// (the selected place, ringed in gold).
cImage DrawPin()
{
	const int cell = 32;
	const sRgba faces[] = {{200, 40, 40, 255}, {240, 80, 70, 255}, {150, 20, 20, 255}, {200, 40, 40, 255}};
	cImage image(2 * cell, 2 * cell);
	for (int index = 0; index < 4; ++index)
	{
		const float cx = (index % 2) * cell + cell / 2.0f;
		const float cy = (index / 2) * cell + cell / 2.0f;
		if (index == 3)
			image.FillShape(0, 0, 2 * cell, 2 * cell, [=](float x, float y) { return InCircle(x, y, cx, cy, 15); },
				kGold);
		image.FillShape(0, 0, 2 * cell, 2 * cell, [=](float x, float y) { return InCircle(x, y, cx, cy, 10); },
			faces[index]);
		image.FillShape(0, 0, 2 * cell, 2 * cell, [=](float x, float y) { return InCircle(x, y, cx - 3, cy - 3, 3); },
			{255, 220, 210, 255});
	}
	return image;
}

// A colour-only motion of a text in the colour through the alphas, one
// key every 10 key times.
std::string FadeMotion(const sColor& colour, std::initializer_list<float> alphas)
{
	cMotionWriter writer;
	float key = 0;
	for (float alpha : alphas)
	{
		writer.AddKeyTime(key).AddColour(sColor(colour.r, colour.g, colour.b, alpha));
		key += 10;
	}
	return writer.GetBytes();
}

// A slide from the offset to the place (key times 0 to 10), held to 20;
// with lateStart the slide takes key times 10 to 20 instead.
std::string SlideMotion(float fromX, bool lateStart)
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(fromX, 0, 0);
	writer.AddKeyTime(10).AddPosition(lateStart ? fromX : 0, 0, 0);
	writer.AddKeyTime(20).AddPosition(0, 0, 0);
	return writer.GetBytes();
}

std::string RollMotion()
{
	cMotionWriter writer;
	writer.AddKeyTime(0).AddPosition(0, 0, 0);
	writer.AddKeyTime(10).AddPosition(0, 1150, 0);
	return writer.GetBytes();
}
}

std::vector<sPanelPicture> DrawScreenPictures()
{
	return {
		{"comic_backdrop", DrawSolid({25, 20, 35, 255}), 1024, 768, 1},
		{"comic_panel1", DrawComicPanel(false), 440, 325, 1},
		{"comic_panel2", DrawComicPanel(true), 440, 325, 1},
		{"credits_backdrop", DrawSolid({0, 0, 0, 255}), 1024, 768, 1},
		{"help_arrow_d", DrawArrow('d'), 64, 64, 1},
		{"help_arrow_lt", DrawArrow('l'), 64, 64, 1},
		{"help_arrow_rt", DrawArrow('r'), 64, 64, 1},
		{"help_ring", DrawRing(), 96, 96, 1},
		{"diary_page", DrawPage(), 800, 560, 1},
		{"diary_map", DrawMap(), 340, 300, 1},
		{"diary_pin", DrawPin(), 36, 36, 0.5f},
		// Text boxes: the line a text object is laid out in, never drawn.
		{"screen_line", DrawSolid({0, 0, 0, 0}), 700, 40, 1},
		{"screen_note", DrawSolid({0, 0, 0, 0}), 340, 30, 1},
		{"screen_caption", DrawSolid({0, 0, 0, 0}), 440, 30, 1},
	};
}

std::vector<std::pair<std::string, std::string>> MakeScreenMotions()
{
	return {
		{"comic_slide_left", SlideMotion(-520, false)},
		{"comic_slide_right", SlideMotion(560, true)},
		{"credits_roll", RollMotion()},
		// Key times 0 to 40: shown, dimmed, shown, gone.
		{"diary_loading_note", FadeMotion(kInkColour, {1, 0.3f, 1, 0, 0})},
		// Key times 0 to 10: from gone to shown.
		{"diary_ready_note", FadeMotion(kInkColour, {0, 1})},
		// Key times 0 to 30: gone, shown, shown, gone.
		{"diary_new_note", FadeMotion(sColor(0.6f, 0.1f, 0.1f, 1), {0, 1, 1, 0})},
	};
}

// Coordinates on the 1024 by 768 screen, y up; each quad hangs below its
// origin. Text objects take their box from their model's bounds.
std::string ScreenScenesXml()
{
	return R"(<resources>
	<resource name="comic_intro" type="scene_resource">
		<object name="root" parts="2">
			<geometry name="backdrop" model="comic_backdrop" local="1 0 0 0 1 0 0 0 1 0 768 20"/>
			<geometry name="panel1" model="comic_panel1" motion="comic_slide_left" local="1 0 0 0 1 0 0 0 1 52 600 0">
				<add_motion name="show" first="0" last="20" length="6"/>
				<text name="caption" model="screen_caption" font_id="0" alignment="cc" text_id="comic\part1"
					local="1 0 0 0 1 0 0 0 1 0 -335 0"/>
			</geometry>
			<geometry name="panel2" model="comic_panel2" motion="comic_slide_right" local="1 0 0 0 1 0 0 0 1 532 600 0">
				<add_motion name="show" first="0" last="20" length="6"/>
				<text name="caption" model="screen_caption" font_id="0" alignment="cc" text_id="comic\part2"
					local="1 0 0 0 1 0 0 0 1 0 -335 0"/>
			</geometry>
		</object>
	</resource>
	<resource name="credits" type="scene_resource">
		<geometry name="backdrop" model="credits_backdrop" local="1 0 0 0 1 0 0 0 1 0 768 20"/>
		<object name="roll" motion="credits_roll" local="1 0 0 0 1 0 0 0 1 162 -40 0">
			<add_motion name="movie" first="0" last="10" length="9"/>
			<text name="title" model="screen_line" font_id="22" alignment="cc" text_id="credits\title"/>
			<text name="line1" model="screen_line" font_id="0" alignment="cc" text_id="credits\line1"
				local="1 0 0 0 1 0 0 0 1 0 -80 0"/>
			<text name="line2" model="screen_line" font_id="0" alignment="cc" text_id="credits\line2"
				local="1 0 0 0 1 0 0 0 1 0 -130 0"/>
			<text name="line3" model="screen_line" font_id="0" alignment="cc" text_id="credits\line3"
				local="1 0 0 0 1 0 0 0 1 0 -180 0"/>
			<text name="line4" model="screen_line" font_id="0" alignment="cc" text_id="credits\line4"
				local="1 0 0 0 1 0 0 0 1 0 -260 0"/>
		</object>
	</resource>
	<resource name="window_help" type="scene_resource">
		<geometry name="ring" model="help_ring" local="1 0 0 0 1 0 0 0 1 -48 48 0"/>
		<geometry name="arrow_d" model="help_arrow_d" local="1 0 0 0 1 0 0 0 1 -32 120 0"/>
		<geometry name="arrow_lt" model="help_arrow_lt" local="1 0 0 0 1 0 0 0 1 52 32 0"/>
		<geometry name="arrow_rt" model="help_arrow_rt" local="1 0 0 0 1 0 0 0 1 -116 32 0"/>
	</resource>
	<resource name="diary" type="scene_resource">
		<geometry name="page" model="diary_page" local="1 0 0 0 1 0 0 0 1 112 664 20"/>
		<geometry name="map" model="diary_map" local="1 0 0 0 1 0 0 0 1 142 624 10"/>
		<button name="1" model="diary_pin" local="1 0 0 0 1 0 0 0 1 236 566 0"/>
		<button name="2" model="diary_pin" local="1 0 0 0 1 0 0 0 1 372 434 0"/>
		<text name="location0" model="screen_note" font_id="22" alignment="lc" text_id="diary\label0"
			local="1 0 0 0 1 0 0 0 1 532 624 0"/>
		<text name="location1" model="screen_note" font_id="22" alignment="lc" text_id="diary\label1"
			local="1 0 0 0 1 0 0 0 1 532 624 0"/>
		<text name="location2" model="screen_note" font_id="22" alignment="lc" text_id="diary\label2"
			local="1 0 0 0 1 0 0 0 1 532 624 0"/>
		<text name="diary_text" model="screen_note" font_id="0" alignment="lc" color="1 0.24 0.16 0.08"
			local="1 0 0 0 1 0 0 0 1 532 570 0"/>
		<text name="loading_note" model="screen_note" font_id="0" alignment="lc" text_id="diary\loading"
			color="1 0.24 0.16 0.08" motion="diary_loading_note" local="1 0 0 0 1 0 0 0 1 142 290 0">
			<add_motion name="main" first="0" last="20" length="1.2" loop="true"/>
			<add_motion name="complete" first="20" last="30" length="0.4"/>
			<add_motion name="visible" first="30" last="40" length="0.01"/>
		</text>
		<text name="ready_note" model="screen_note" font_id="0" alignment="lc" text_id="diary\ready"
			color="0 0.24 0.16 0.08" motion="diary_ready_note" local="1 0 0 0 1 0 0 0 1 142 260 0">
			<add_motion name="main" first="0" last="0" length="0.01"/>
			<add_motion name="complete" first="0" last="10" length="0.4"/>
			<add_motion name="visible" first="0" last="0" length="0.01"/>
		</text>
		<text name="new_place_note" model="screen_note" font_id="0" alignment="lc" text_id="diary\new_place"
			color="0 0.6 0.1 0.1" motion="diary_new_note" local="1 0 0 0 1 0 0 0 1 532 200 0">
			<add_motion name="hide" first="0" last="0" length="0.3"/>
			<add_motion name="show" first="0" last="30" length="2.5"/>
		</text>
		<button name="close" model="minigame_close"/>
	</resource>
</resources>
)";
}

sParticleSystemDesc MakeSelectionParticles()
{
	sParticleSystemDesc desc;
	desc.count = 3;
	desc.interval = 0.08f;
	desc.windowLength = 0.8f;
	desc.lifetime = 0.9f;
	desc.lifetimeVariation = 0.2f;
	desc.speed = 3;
	desc.speedVariation = 0.5f;
	desc.size = 10;
	desc.sizeVariation = 0.4f;
	desc.polarSpread = kPi;
	desc.azimuthSpread = kPi;
	desc.fadeIn = 0.15f;
	desc.fadeOut = 0.4f;
	desc.textureName = kSparkleTexture;
	desc.colorKeys = {{0, 0.7f, 0.9f, 1, 1}, {1, 1, 1, 1, 0}};
	desc.programs = {{"start", 0.8f, true}};
	return desc;
}

std::vector<std::vector<float>> ComposeMapMusic(long rate)
{
	// A slow broken chord, a note every half second, each decaying; the
	// last fades out before the loop starts again.
	const float notes[] = {293.66f, 369.99f, 440.0f, 587.33f, 440.0f, 369.99f, 329.63f, 392.0f,
		493.88f, 392.0f, 329.63f, 293.66f, 369.99f, 440.0f, 369.99f, 293.66f};
	const float noteSeconds = 0.5f;
	std::vector<float> samples(size_t(rate * noteSeconds * 16), 0.0f);
	for (size_t n = 0; n < 16; ++n)
	{
		const size_t start = size_t(n * noteSeconds * rate);
		const size_t end = std::min(samples.size(), start + size_t(rate * 1.2f));
		for (size_t i = start; i < end; ++i)
		{
			const float t = float(i - start) / float(rate);
			const float tail = float(end - i) / float(end - start);
			samples[i] += 0.12f * std::exp(-2.5f * t) * tail * std::sin(2 * kPi * notes[n] * t);
		}
	}
	return {samples, samples};
}
