// Parses a generated 5 MB scenario-like XML text with cXmlDocument::Load
// and with pugixml, checks that both read the same tree, and closes with the
// median times, their ratio and the target. Each iteration makes a document,
// loads the text into it and destroys it, for both readers alike.

#include "engine/foundation/cXmlDocument.h"

#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <string>
#include <string_view>

namespace
{
// Locations of states holding commands with several attributes each.
const std::string& ScenarioText()
{
	static const std::string text = [] {
		std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<scenario name=\"location1\" version=\"3\">\n";
		for (int state = 0; xml.size() < 5u * 1024 * 1024; ++state)
		{
			xml += "\t<state name=\"state_" + std::to_string(state) + "\" music=\"track0" + std::to_string(state % 7) +
				"\" hint=\"hint_object_" + std::to_string(state) + "\">\n";
			for (int command = 0; command < 12; ++command)
			{
				xml += "\t\t<command type=\"click\" object=\"obj_" + std::to_string(state * 12 + command) +
					"\" result=\"win\" sound=\"door_open\" delay=\"0." + std::to_string(command) +
					"\" text=\"Find &quot;the key&quot; &amp; open\"/>\n";
			}
			xml += "\t\t<description>A room with a door, a desk and a lamp.</description>\n\t</state>\n";
		}
		return xml + "</scenario>";
	}();
	return text;
}

// Element names, attributes and texts in document order, one per line.
void Flatten(const cXmlNode* node, std::string& out)
{
	out += node->GetName() + ">" + node->GetValue() + "\n";
	for (const cXmlNode* attribute = node->GetFirstAttribute(); attribute; attribute = attribute->GetNextSibling())
		out += attribute->GetName() + "=" + attribute->GetValue() + "\n";
	for (const cXmlNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
		Flatten(child, out);
	out += "<\n";
}

void Flatten(const pugi::xml_node& node, std::string& out)
{
	std::string text;
	for (const pugi::xml_node& child : node.children())
		if (child.type() == pugi::node_pcdata)
			text += child.value();
	out += std::string(node.name()) + ">" + text + "\n";
	for (const pugi::xml_attribute& attribute : node.attributes())
		out += std::string(attribute.name()) + "=" + attribute.value() + "\n";
	for (const pugi::xml_node& child : node.children())
		if (child.type() == pugi::node_element)
			Flatten(child, out);
	out += "<\n";
}

bool SameTrees()
{
	const std::string& text = ScenarioText();
	cMemoryStream source;
	source.Write(text.data(), static_cast<uint32_t>(text.size()));
	cXmlDocument engine;
	pugi::xml_document pugi;
	if (!engine.Load(static_cast<cStream&>(source)) || !pugi.load_buffer(text.data(), text.size()))
		return false;
	std::string engineTree;
	std::string pugiTree;
	Flatten(&engine.GetRoot(), engineTree);
	Flatten(pugi.document_element(), pugiTree);
	return engineTree == pugiTree;
}

void EngineXml(benchmark::State& state)
{
	const std::string& text = ScenarioText();
	cMemoryStream source;
	source.Write(text.data(), static_cast<uint32_t>(text.size()));
	{
		// Both readers must read the whole text.
		cXmlDocument document;
		if (!document.Load(static_cast<cStream&>(source)) || document.GetRoot().GetName() != "scenario" ||
			!document.GetRoot().FindChild("state\\description"))
			state.SkipWithError("cXmlDocument did not read the text");
	}
	for (auto _ : state)
	{
		cXmlDocument document;
		// Reads the memory stream in place, as pugixml reads its buffer (which it copies first).
		bool loaded = document.Load(static_cast<cStream&>(source));
		benchmark::DoNotOptimize(loaded);
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void Pugixml(benchmark::State& state)
{
	const std::string& text = ScenarioText();
	{
		pugi::xml_document document;
		if (!document.load_buffer(text.data(), text.size()) || !document.child("scenario").child("state").child("description"))
			state.SkipWithError("pugixml did not read the text");
	}
	for (auto _ : state)
	{
		pugi::xml_document document;
		pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
		benchmark::DoNotOptimize(result);
	}
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(EngineXml)->Unit(benchmark::kMillisecond);
BENCHMARK(Pugixml)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
	if (!SameOutput(SameTrees(), "XML readers"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	const double megabytes = double(ScenarioText().size()) / 1e6;
	printf("\n");
	// At least half pugixml's speed: at most twice its time.
	reporter.PrintTimeRatio("XML parse of a 5 MB scenario", "EngineXml", "Pugixml", 2.0);
	const double engine = reporter.Median("EngineXml");
	const double pugi = reporter.Median("Pugixml");
	if (engine > 0 && pugi > 0)
		printf("  cXmlDocument %.1f MB/s, pugixml %.1f MB/s\n", megabytes / engine, megabytes / pugi);
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	benchmark::Shutdown();
	return 0;
}
