#pragma once
// A location that is nothing but its scenario, read from XML text, for the
// scenario and profile targets; and a scenario of every shape the command
// tree takes: states, nesting, results, items and unknown elements.

#include "FuzzTarget.h"

#include "engine/foundation/cMemoryStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "game/scenario/cScenario.h"
#include "game/scenario/cScenarioOwner.h"

#include <string>

class cFuzzLocation : public cScenarioOwner
{
public:
	explicit cFuzzLocation(const std::string& name) : scenario(name) {}

	// False when the text is no XML document.
	bool Load(const uint8_t* data, size_t size)
	{
		cMemoryStream stream;
		FillStream(stream, data, size);
		cXmlDocument document;
		if (!document.Load(stream))
			return false;
		scenario.Load(document.GetRoot(), this);
		return true;
	}
	bool Load(const std::string& text) { return Load(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

	cScenarioCommand* GetState(const std::string& name) override { return scenario.GetState(name); }
	void SetState(const std::string& name) override { scenario.SetState(name); }
	cScenarioCommand* GetRunningCommand() const override { return scenario.GetRunningCommand(); }
	void SetRunningCommand(cScenarioCommand* command) override { scenario.SetRunningCommand(command); }

	cScenario scenario;
};

inline const char* SeedScenarioText()
{
	return R"(<scenario>
	<state name="startup">
		<location><item name="hall"/>
			<show result=""><item object="door"/><delay><item time="2"/></delay></show>
			<hide result="never"><item object="key"/></hide>
		</location>
		<unknown_element/>
	</state>
	<state name="hall">
		<click><item object="door"/>
			<isininventory><item name="key"/>
				<state result=""><item name="yard"/></state>
			</isininventory>
		</click>
	</state>
	<state name="yard"><music><item name="theme"/></music></state>
	<state name="yard"><sound/></state>
</scenario>)";
}
