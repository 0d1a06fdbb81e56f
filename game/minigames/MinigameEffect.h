#pragma once
// The effect overlay: one window "special_effect", shared by every
// minigame, that shows a celebration over the screen while a solved
// minigame plays its "victory" sound. Built from the scene
// "minigame_effect" once at start-up; it lives under the scene's root.

class cGameWindow;

// Builds the overlay and posts it under the scene's root; the next scene
// update hangs it there. Any thread; a second call does nothing.
void CreateMinigameEffect();

// The overlay, or null before it is created and after it is deleted.
cGameWindow* GetMinigameEffect();
