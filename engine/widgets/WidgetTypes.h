#pragma once
// The widget layer's object types for the scene manager: "geometry",
// "button", "flash", "slider", "checkbox", "editbox", "button_text",
// "menu_item", "radio" and "water2d" get their creators in every scene
// manager of the process, at the ids the scene keeps for them. Called once
// where the engine or the game starts up; later calls change nothing.
void RegisterWidgetTypes();
