#include "game/scenario/commands/cFlowCommand.h"

#include "engine/foundation/cXmlNode.h"
#include "engine/windows/cGameWaitDialog.h"
#include "game/location/CurrentLocation.h"
#include "game/location/cLocationForm.h"
#include "game/panel/cGamePanel.h"
#include "game/play/cPlayerProgress.h"
#include "game/scenario/sEventContext.h"
#include "game/screens/cComicsWindow.h"
#include "game/screens/cHelpManager.h"
#include "game/screens/cMovieWindow.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The depth and sort key of the diary and map window opened by "map".
constexpr float kMapDepth = -50.0f;
constexpr int kMapSortKey = 0;

void PlayOnPanel(cGamePanel* panel, const std::string& clip)
{
	panel->GetMotions().PlayByName(clip);
	panel->GetAnimations().PlayByName(clip);
}
}

cFlowCommand::cFlowCommand(const std::string& keyword, cScenarioOwner* location) : cScenarioCommand(keyword, location)
{
}

cFlowCommand::~cFlowCommand()
{
	if (!m_preloadedList.empty())
		if (cGamePanel* panel = cGamePanel::Get())
			panel->ReleaseIspyList(m_preloadedList);
}

cLocationForm* cFlowCommand::Location() const
{
	return dynamic_cast<cLocationForm*>(m_location);
}

const std::string& cFlowCommand::Value(size_t position) const
{
	static const std::string none;
	return position >= 1 && position <= m_arguments.size() ? m_arguments[position - 1].second : none;
}

int cFlowCommand::Number(size_t position) const
{
	return std::atoi(Value(position).c_str());
}

void cFlowCommand::ParseItem(const cXmlNode& item)
{
	m_subCommand = GetXmlAttribute(&item, "name", "");
	if (m_subCommand == "hint")
	{
		m_hintMarker = true;
		return;
	}
	m_arguments.clear();
	for (const cXmlNode* attribute = item.GetFirstAttribute(); attribute; attribute = attribute->GetNextSibling())
		if (attribute->GetName() != "name")
			m_arguments.emplace_back(attribute->GetName(), attribute->GetValue());

	// An empty name preloads nothing, so that showing it finds no window.
	cLocationForm* location = Value(1).empty() ? nullptr : Location();
	if (location && m_subCommand == "comics")
		location->PreloadComics(Value(1));
	else if (location && m_subCommand == "movie")
		location->PreloadMovie(Value(1));
	else if (m_subCommand == "ispy" && Value(1) == "start" && m_arguments.size() >= 2)
		if (cGamePanel* panel = cGamePanel::Get())
		{
			// Only the last item's list stays preloaded.
			if (!m_preloadedList.empty())
				panel->ReleaseIspyList(m_preloadedList);
			m_preloadedList = Value(2);
			panel->PreloadIspyList(m_preloadedList);
		}
}

void cFlowCommand::Execute()
{
	m_waitWindow = nullptr;
	cLocationForm* location = Location();
	cGamePanel* panel = cGamePanel::Get();
	cPlayerProgress* progress = g_currentProgress;
	const std::string& command = m_subCommand;
	if (command == "show_panel")
	{
		if (panel && !panel->IsVisible())
			ShowGamePanel(true);
	}
	else if (command == "back_mmenu")
		ReturnToMainMenu(false);
	else if (command == "fly_start")
	{
		if (location)
			location->SetFlyStartName(Value(1));
	}
	else if (command == "hide_panel")
	{
		if (panel && panel->GetState() == cGameWindow::kWorking)
			ShowGamePanel(false);
	}
	else if (command == "fill_hint")
	{
		if (progress)
			progress->hintCharge = 1.0f;
		if (panel)
			PlayOnPanel(panel, "glow");
	}
	else if (command == "comics" && location)
	{
		location->SetAmbientOn(false);
		m_waitWindow = location->ShowComics(Value(1));
	}
	else if (command == "map")
		OpenMap();
	else if (command == "movie" && location)
	{
		location->SetAmbientOn(false);
		cMovieWindow* movie = location->ShowMovie(Value(1));
		if (movie)
			movie->GetProperties().SetProperty("notclicked", Value(2) == "notclick" ? "true" : "false");
		m_waitWindow = movie;
	}
	else if (command == "add_to_cursor" && location)
		location->AddToCursor(Value(1));
	else if (command == "remove_cursor" && location)
		location->RemoveFromCursor(Value(1));
	else if (command == "combine")
	{
		if (panel)
			panel->Combine(m_arguments);
	}
	else if (command == "help")
	{
		if (cHelpManager* help = cHelpManager::Get())
			help->ShowHint(Value(1), Value(2), ResolveObject(Value(3)),
				m_arguments.size() > 3 ? ResolveObject(Value(4)) : nullptr);
	}
	else if (command == "enable_ispy_help" && location)
		location->EnableIspyHelp(true);
	else if (command == "restart_game")
	{
		if (progress)
			progress->restartPending = true;
	}
	else if (command == "ispy")
		RunIspy();
}

void cFlowCommand::OpenMap()
{
	OpenMapFromLocation();
	if (cLocationForm* location = Location())
		location->SetAmbientOn(false);
	cGameWindow* diary = GetDiaryWindow();
	m_waitWindow = dynamic_cast<cGameWaitDialog*>(diary);
	if (g_currentProgress)
	{
		std::vector<int>& places = g_currentProgress->mapPlaces;
		auto place = std::find(places.begin(), places.end(), Number(1) - 1);
		if (place != places.end())
			places.erase(place);
	}
	if (diary)
	{
		diary->Show();
		diary->SetSortKey(kMapSortKey);
		cMatrix placed;
		diary->GetTransform().SetLocalMatrix(placed.MakeTranslation(cVector3d(0, 0, kMapDepth)));
		diary->GetProperties().SetProperty("complete", Value(1));
	}
	if (g_currentProgress)
		g_currentProgress->Save();
}

void cFlowCommand::RunIspy()
{
	cLocationForm* location = Location();
	if (!location)
		return;
	const std::string& mode = Value(1);
	if (mode == "start")
		SetIspyMode(Value(2), true, false);
	else if (mode == "random")
	{
		location->SetIspyCount(Number(2));
		location->AddRandomItemsToFind(Number(3));
	}
	else if (mode == "collect")
		StartIspyCollect();
	else if (mode == "stop")
		SetIspyMode("", false, false);
}

int cFlowCommand::IsReady()
{
	cLocationForm* location = Location();
	if (m_subCommand == "onshow")
	{
		if (!location || !location->IsShown())
			return kNoBranch;
		location->ClearShown();
		return kFinished;
	}
	if (m_waitWindow)
	{
		if (m_waitWindow->IsWaiting())
			return kRunning;
		// The location's ambient sounds come back after comics and movies,
		// not after the map.
		if (location && m_subCommand != "map")
			location->SetAmbientOn(true);
		return kFinished;
	}
	if (m_subCommand == "help")
	{
		const cHelpManager* help = cHelpManager::Get();
		return help && help->IsActive() ? kRunning : kFinished;
	}
	if (m_subCommand == "ispy")
	{
		cGamePanel* panel = cGamePanel::Get();
		if (Value(1) == "collect")
			return g_ispyCollecting || (panel && panel->GetFlyEffectCount() > 0) ? kRunning : kFinished;
		if (Value(1) == "stop")
			return panel && panel->GetMotions().IsPlayingByName("ispy_close") ? kRunning : kFinished;
	}
	return kFinished;
}

void cFlowCommand::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	if (m_hintMarker)
	{
		cScenarioEvent event;
		event.kind = cScenarioEvent::kUseItem;
		event.position = GetEventContext().position;
		events.push_back(event);
	}
	cScenarioCommand::CollectEvents(events, filtered);
}

cSceneObject* cFlowCommand::ResolveObject(const std::string& path) const
{
	const size_t colon = path.find(':');
	const std::string prefix = colon == std::string::npos ? "" : path.substr(0, colon);
	std::string rest = colon == std::string::npos ? path : path.substr(colon + 1);
	if (rest.empty())
		return nullptr;
	if (prefix.empty() || prefix == "loc")
	{
		cLocationForm* location = Location();
		return location ? location->FindObject(rest) : nullptr;
	}
	cGamePanel* panel = cGamePanel::Get();
	if (prefix != "gpanel" || !panel)
		return nullptr;
	std::replace(rest.begin(), rest.end(), '\\', '/');
	return panel->GetChildList().FindByPath(rest);
}
