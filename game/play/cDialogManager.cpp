#include "game/play/cDialogManager.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"
#include "engine/foundation/cLog.h"
#include "engine/input/cCursorManager.h"
#include "engine/input/cInputManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cSceneResource.h"

#include <algorithm>

namespace
{
constexpr float kLineDelay = 0.2f;
constexpr float kManagerDepth = -1500;
constexpr int kSortKey = 10;

cSceneObject* EffectTarget(cSceneObject* effectWindow)
{
	return effectWindow ? effectWindow->GetChildList().FindByPath("rt/target") : nullptr;
}

std::wstring GetXmlAttributeWide(const cXmlNode& node, const std::string& name)
{
	std::wstring text;
	if (const cXmlNode* attribute = node.FindAttribute(name))
		Utf8ToWide(attribute->GetValue(), text);
	return text;
}
}

cDialogManager::cDialogManager(cSceneObject* effectWindow)
	: cGameWindow("dialog_manager", EffectTarget(effectWindow), true)
{
	s_instance = this;
	m_skipButton = new cSceneObject("skip", this);
	cSceneResource::BuildInto("skip_button", *m_skipButton);
	BindChildEvent("skip/skip", "on_click", tEvent(MakeMemberDelegate(this, &cDialogManager::OnSkip)));
	ReadDialogs();
}

cDialogManager::~cDialogManager()
{
	if (s_instance == this)
		s_instance = nullptr;
}

void cDialogManager::ReadDialogs()
{
	cResourceHandle strings(cResourceManager::GetResourceByName<cXmlResource>("strings"));
	auto* resource = strings.Get<cXmlResource>();
	if (!resource)
		return;
	const cXmlNode* dialogs = nullptr;
	if (const cXmlNode* group = resource->GetDocument().GetRoot().FindChild("group"))
		for (const cXmlNode* child = group->GetFirstChild(); child && !dialogs; child = child->GetNextSibling())
			if (child->GetName() == "group" && GetXmlAttribute(child, "name", "") == "dialogs")
				dialogs = child;
	if (!dialogs)
	{
		LOG(2, "Dialogs not found in strings\n");
		return;
	}
	for (const cXmlNode* dialog = dialogs->GetFirstChild(); dialog; dialog = dialog->GetNextSibling())
		ReadDialog(*dialog);
}

void cDialogManager::ReadDialog(const cXmlNode& dialog)
{
	const std::string dialogName = GetXmlAttribute(&dialog, "name", "");
	auto& parts = m_dialogs[dialogName];
	for (const cXmlNode* part = dialog.GetFirstChild(); part; part = part->GetNextSibling())
	{
		const std::string partName = GetXmlAttribute(part, "name", "");
		auto& lines = parts[partName];
		for (const cXmlNode* line = part->GetFirstChild(); line; line = line->GetNextSibling())
		{
			std::string character = GetXmlAttribute(line, "name", "");
			TrimString(character);
			// A line nobody says has no cloud to show in.
			if (character.empty())
			{
				LOG(1, "Dialog '%s' part '%s': a line without a character is skipped\n", dialogName.c_str(),
					partName.c_str());
				continue;
			}
			lines.push_back({ character, GetXmlAttributeWide(*line, "text") });
			if (!m_clouds.count(character))
				AddCloud(character, partName);
		}
	}
}

void cDialogManager::AddCloud(const std::string& character, const std::string& partName)
{
	// Named after the part being read; clouds are found by their character.
	auto* cloud = new cGameWindow(partName, this, true);
	m_clouds[character] = cloud;
	// A character without a scene keeps an empty cloud, so its lines still
	// pass one by one.
	cSceneResource::BuildInto(character, *cloud);
	cloud->SetVisible(false);
}

cGameWindow* cDialogManager::GetCloud(const std::string& character) const
{
	auto found = m_clouds.find(character);
	return found == m_clouds.end() ? nullptr : found->second;
}

const std::vector<sDialogLine>* cDialogManager::FindPart(const std::string& dialog, const std::string& part) const
{
	auto parts = m_dialogs.find(dialog);
	if (parts == m_dialogs.end())
		return nullptr;
	auto lines = parts->second.find(part);
	return lines == parts->second.end() ? nullptr : &lines->second;
}

void cDialogManager::StartDialog(const std::string& dialog, const std::string& part)
{
	if (!IsVisible())
	{
		m_pendingDialog = dialog;
		m_pendingPart = part;
		return;
	}
	Singletone<cCursorManager>::GetInstance()->SetCursor("dialog");
	auto renamed = m_partRenames.find(part);
	const std::vector<sDialogLine>* lines = FindPart(dialog, renamed == m_partRenames.end() ? part : renamed->second);
	m_lines = lines ? *lines : std::vector<sDialogLine>();
	for (const sDialogLine& line : m_lines)
	{
		cGameWindow* cloud = GetCloud(line.character);
		if (!cloud || std::find(m_shownClouds.begin(), m_shownClouds.end(), cloud) != m_shownClouds.end())
			continue;
		m_shownClouds.push_back(cloud);
		m_endStages[cloud] = kNotEnding;
		cloud->Show();
		Play(cloud, "move_in");
	}
	m_waitingForClouds = true;
	m_nextRequested = true;
	SetSortKey(kSortKey);
	m_skipButton->SetVisible(m_lines.size() > 1);
}

bool cDialogManager::IsActive() const
{
	return !m_lines.empty() || IsAnyShownCloudVisible();
}

bool cDialogManager::IsAnyShownCloudVisible() const
{
	return std::any_of(m_shownClouds.begin(), m_shownClouds.end(), [](cGameWindow* cloud) { return cloud->IsVisible(); });
}

void cDialogManager::HideClouds()
{
	for (cGameWindow* cloud : m_shownClouds)
		cloud->SetVisible(false);
	m_shownClouds.clear();
	m_endStages.clear();
	m_lines.clear();
	m_nextRequested = false;
	m_speaker = nullptr;
	m_skipButton->SetVisible(false);
}

void cDialogManager::OnSkip(cSceneObject*)
{
	m_lines.clear();
	m_nextRequested = true;
	m_skipButton->SetVisible(false);
}

bool cDialogManager::HandleInput()
{
	if (m_lineDelay < 0 && Singletone<cInputManager>::GetInstance()->IsPressed(cInputManager::kMouseSlot,
							   cInputManager::kLeftButton))
		m_nextRequested = true;
	return false;
}

void cDialogManager::Update(float dt)
{
	m_lineDelay -= dt;
	cGameWindow::Update(dt);
	if (m_waitingForClouds)
	{
		m_waitingForClouds = std::any_of(m_shownClouds.begin(), m_shownClouds.end(), &cDialogManager::IsPlaying);
		return;
	}
	if (!m_lines.empty())
	{
		if (m_nextRequested)
			ShowNextLine();
		return;
	}
	// Before any line was shown (a skip while the clouds come in) there is
	// no speaker: a visible shown cloud is enough to end.
	const bool shown = m_speaker ? m_speaker->IsVisible() : IsAnyShownCloudVisible();
	if (m_nextRequested && shown && RunEnd())
	{
		m_shownClouds.clear();
		m_endStages.clear();
		m_speaker = nullptr;
	}
}

void cDialogManager::ShowNextLine()
{
	m_lineDelay = kLineDelay;
	m_nextRequested = false;
	const sDialogLine line = m_lines.front();
	m_lines.erase(m_lines.begin());
	cGameWindow* cloud = GetCloud(line.character);
	if (!cloud)
		return;
	if (cloud != m_speaker)
	{
		if (m_speaker)
		{
			Play(m_speaker, "dialogue_stop");
			m_endStages[m_speaker] = kStopStarted;
		}
		Play(cloud, "dialogue_start");
		m_endStages[cloud] = kNotEnding;
		m_speaker = cloud;
	}
	cSceneObject* text = cloud->GetChildList().FindByPath("cloud/text");
	if (!text)
		text = cloud->GetChildList().FindChild("text");
	if (text)
		text->GetProperties().SetProperty("text", Utf8FromWide(line.text));
}

bool cDialogManager::RunEnd()
{
	bool allDone = true;
	for (cGameWindow* cloud : m_shownClouds)
	{
		// A cloud whose "dialogue_stop" was started and in which nothing
		// plays any more has stopped, whether or not it has such clips.
		eEndStage& stage = m_endStages[cloud];
		if (IsPlaying(cloud))
			allDone = false;
		else if (stage == kStopStarted)
		{
			Play(cloud, "move_out");
			stage = kMoveOutStarted;
		}
		else if (stage != kMoveOutStarted)
		{
			Play(cloud, "dialogue_stop");
			stage = kStopStarted;
			allDone = false;
		}
	}
	m_skipButton->SetVisible(false);
	return allDone;
}

void cDialogManager::Show()
{
	cGameWindow::Show();
	cMatrix world;
	GetTransform().SetWorldMatrix(world.MakeTranslation(cVector3d(0, 0, kManagerDepth)));
	m_lineDelay = 0;
	m_nextRequested = false;
	m_waitingForClouds = false;
	m_speaker = nullptr;
	if (!m_pendingDialog.empty() && !m_pendingPart.empty())
	{
		StartDialog(m_pendingDialog, m_pendingPart);
		m_pendingDialog.clear();
		m_pendingPart.clear();
	}
	m_skipButton->SetVisible(false);
}

void cDialogManager::Hide()
{
	cGameWindow::Hide();
	HideClouds();
}

bool cDialogManager::IsPlaying(cSceneObject* object)
{
	return object->GetAnimations().IsPlaying() || object->GetMotions().IsPlaying();
}

void cDialogManager::Play(cSceneObject* object, const std::string& name)
{
	object->GetAnimations().PlayByName(name);
	object->GetMotions().PlayByName(name);
}
