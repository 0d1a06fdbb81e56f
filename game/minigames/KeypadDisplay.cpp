#include "game/minigames/KeypadDisplay.h"

#include "engine/scene/cSceneObject.h"

void ShowOnDisplay(const std::vector<cSceneObject*>& displays, const std::string& entered, size_t length, char fill)
{
	std::string text = entered;
	if (text.size() < length)
		text.append(length - text.size(), fill);
	for (size_t i = 0; i < displays.size() && i < text.size(); ++i)
		displays[i]->GetProperties().SetProperty("text", std::string(1, text[i]));
}
