#pragma once
// The game's own scene-object types, registered with every scene manager
// of the process after the engine's (see cSceneManager::AddObjectTypes).
// Each call registers its type once; later calls change nothing.

// "light": the hover marker.
void RegisterLightType();
// "inventory": a slot of the game panel; registered right after "light".
void RegisterInventoryType();
// "character": a pose of a character standing in a location.
void RegisterCharacterType();

// The widget types and then "light", "inventory" and "character", in the
// order of their ids: what the game's start-up registers.
void RegisterGameObjectTypes();
