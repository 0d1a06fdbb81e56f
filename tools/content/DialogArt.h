#pragma once
// The speech clouds of the demo's dialogue: a rounded cloud picture, the
// quad model that shows it, and the motion its clips play (entering from
// below, a small rise while speaking, leaving downward). Also the button
// that skips the rest of a dialogue.

#include "PanelArt.h"
#include "cImage.h"

#include "engine/graphics/cModel.h"

#include <string>

extern const char* const kCloudTexture;
constexpr int kCloudWidth = 256;
constexpr int kCloudHeight = 128;

cImage DrawCloud();
// A quad of the cloud's size with its top-left corner at the origin.
void MakeCloudModel(cModel& model);
// "cloud_text": the box inside the cloud that its text is wrapped and
// centred in; only the box is used, the model is never drawn.
void MakeCloudTextBox(cModel& model);
// Key times 0 (below the screen), 10 (in place), 20 (raised), 30 (in
// place again) and 40 (below the screen).
std::string CloudMotionBytes();

// The skip button: a rounded bar with room on its left for the label
// "Skip" and two arrowheads on its right, in its four looks (normal,
// hovered, pressed, disabled) as a 2 by 2 atlas. Model and texture are
// named "dialog_skip".
sPanelPicture DrawSkipButton();
