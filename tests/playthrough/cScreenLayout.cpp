#include "cScreenLayout.h"

#include "../tools/ContentTestSupport.h"

#include "engine/scene/cSceneResource.h"
#include "engine/windows/cGameWindow.h"
#include "game/minigames/MinigameParts.h"
#include "game/play/GameObjectTypes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
const float kScreenHeight = 768;

// Writes "path left top right bottom" lines for the object's named
// descendants, boxes with y down.
void WriteBoxes(std::ostream& out, cSceneObject& object, const std::string& prefix)
{
	for (cSceneObject* child : object.GetChildList().GetChildren())
	{
		if (child->GetName().empty())
			continue;
		const std::string path = prefix + child->GetName();
		const cBoundingBox box = ScreenBoxOf(*child);
		out << path << ' ' << int(box.min.x) << ' ' << int(kScreenHeight - box.max.y) << ' ' << int(box.max.x) << ' '
			<< int(kScreenHeight - box.min.y) << '\n';
		WriteBoxes(out, *child, path + "/");
	}
}

// In a forked child: builds the scene in a hidden window and writes the boxes.
[[noreturn]] void WriteLayout(const std::string& contentFolder, const std::string& scene, const std::string& output)
{
	// The engine's settings, log and resource folder in a scratch folder, so
	// that nothing of the game's own run is touched.
	// A scene read before leaves its scratch folder: it is made anew.
	const std::string scratch = output + ".work";
	std::error_code error;
	std::filesystem::remove_all(scratch, error);
	std::filesystem::create_directories(scratch, error);
	if (!error)
		std::filesystem::create_directory_symlink(contentFolder + "/data", scratch + "/data", error);
	setenv("XDG_DATA_HOME", scratch.c_str(), 1);
	if (error || chdir(scratch.c_str()) != 0)
		_exit(2);
	// The game's object types ("inventory" among them) before the scene
	// manager reads the content: a type unknown then builds a plain object.
	RegisterGameObjectTypes();
	cCameraObject* screen = StartContentScreen();
	auto* window = new cGameWindow(scene, screen, false);
	cSceneResource::BuildInto(scene, *window);
	cSceneManager::GetInstance()->Update(0);
	std::ofstream out(output);
	WriteBoxes(out, *window, "");
	out.close();
	fflush(stdout);
	_exit(out ? 0 : 1);
}
}

cScreenLayout cScreenLayout::Read(const std::string& contentFolder, const std::string& scene)
{
	cScreenLayout layout;
	const std::string output = contentFolder + "/../layout_" + scene + ".txt";
	std::error_code ignored;
	std::filesystem::remove(output, ignored);
	fflush(stdout);
	const pid_t child = fork();
	if (child == 0)
		WriteLayout(contentFolder, scene, output);
	int status = 0;
	waitpid(child, &status, 0);
	std::ifstream in(output);
	std::string line;
	while (std::getline(in, line))
	{
		std::istringstream fields(line);
		std::string path;
		sScreenBox box;
		if (fields >> path >> box.left >> box.top >> box.right >> box.bottom)
			layout.m_boxes[path] = box;
	}
	return layout;
}

sScreenBox cScreenLayout::Box(const std::string& path) const
{
	const auto found = m_boxes.find(path);
	return found == m_boxes.end() ? sScreenBox() : found->second;
}

std::vector<std::string> cScreenLayout::ChildrenOf(const std::string& path) const
{
	const std::string prefix = path + "/";
	std::vector<std::string> children;
	for (auto found = m_boxes.lower_bound(prefix); found != m_boxes.end() && found->first.starts_with(prefix); ++found)
		if (found->first.find('/', prefix.size()) == std::string::npos)
			children.push_back(found->first);
	return children;
}
