#pragma once
// The game's own scene-object types, registered with the scene manager
// after the engine's.

// "light": the hover marker.
void RegisterLightType();
// "inventory": a slot of the game panel; registered right after "light".
void RegisterInventoryType();

// "character": a pose of a character standing in a location.
void RegisterCharacterType();
