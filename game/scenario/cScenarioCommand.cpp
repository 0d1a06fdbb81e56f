#include "game/scenario/cScenarioCommand.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "game/scenario/cCommandFactory.h"
#include "game/scenario/cScenarioOwner.h"

namespace
{
// How many command elements the loads of this thread are inside.
thread_local int t_loadDepth = 0;

struct sLoadLevel
{
	sLoadLevel() { ++t_loadDepth; }
	~sLoadLevel() { --t_loadDepth; }
};
}

cScenarioCommand::cScenarioCommand(const std::string&, cScenarioOwner* location) : m_location(location)
{
}

void cScenarioCommand::ParseItem(const cXmlNode&)
{
}

void cScenarioCommand::BeforeRunChild()
{
}

int cScenarioCommand::Run(cScenarioCommand*& out)
{
	if (!m_started)
		Execute();
	const int ready = IsReady();
	if (ready == kRunning)
	{
		m_started = true;
		out = this;
		return kRunning;
	}
	m_started = false;
	if (ready != kFinished)
		return ready;
	out = this;
	if (m_children.empty())
		return kBranchDone;
	int code = kNoBranch;
	for (const std::unique_ptr<cScenarioCommand>& child : m_children)
	{
		if (child->m_result != m_outcome)
			continue;
		BeforeRunChild();
		const int childCode = child->Run(out);
		if (childCode == kRunning)
			return kRunning;
		if (childCode == kFinished || childCode == kBranchDone)
			return kBranchDone;
		code = childCode;
	}
	return code;
}

cScenarioCommand* cScenarioCommand::Tick()
{
	cScenarioCommand* out = nullptr;
	const int code = Run(out);
	if (code == kNoBranch || code == kBranchDone)
		return m_location ? m_location->GetState("") : nullptr;
	return out ? out : this;
}

void cScenarioCommand::Reset()
{
	m_started = false;
	for (const std::unique_ptr<cScenarioCommand>& child : m_children)
		child->Reset();
}

bool cScenarioCommand::Load(const cXmlNode& element)
{
	sLoadLevel level;
	if (t_loadDepth > MaxDepth)
	{
		LOG(2, "Scenario commands are nested deeper than %i levels in '%s'", MaxDepth, element.GetName().c_str());
		return false;
	}
	m_result = GetXmlAttribute(&element, "result", "");
	const cCommandFactory* factory = Singletone<cCommandFactory>::GetInstance();
	for (const cXmlNode* child = element.GetFirstChild(); child; child = child->GetNextSibling())
	{
		if (child->GetName() == "item")
		{
			ParseItem(*child);
			continue;
		}
		std::unique_ptr<cScenarioCommand> command(factory->Create(child->GetName(), m_location));
		if (!command)
			continue;
		if (!command->Load(*child))
			return false;
		m_children.push_back(std::move(command));
	}
	return true;
}

void cScenarioCommand::Save(cStream& stream)
{
	StreamWriteString(stream, GetName());
	StreamWriteBool(stream, m_location && m_location->GetRunningCommand() == this);
	for (const std::unique_ptr<cScenarioCommand>& child : m_children)
		child->Save(stream);
}

bool cScenarioCommand::Restore(cStream& stream)
{
	std::string keyword;
	bool current = false;
	// The record comes from the profile file: a record cut short fails here.
	if (!StreamReadString(stream, keyword) || !StreamReadBool(stream, current) || keyword != GetName())
		return false;
	for (const std::unique_ptr<cScenarioCommand>& child : m_children)
		if (!child->Restore(stream))
			return false;
	if (current && m_location)
		m_location->SetRunningCommand(this);
	return true;
}

void cScenarioCommand::CollectEvents(std::vector<cScenarioEvent>& events, bool filtered)
{
	m_collecting = true;
	for (const std::unique_ptr<cScenarioCommand>& child : m_children)
		child->CollectEvents(events, filtered);
	m_collecting = false;
}
