// Parses a generated 5 MB scenario-like XML text with cXmlDocument::Load
// and with pugixml, and prints both throughputs and their ratio. Each
// iteration makes a document, loads the text into it and destroys it, for
// both readers alike.

#include "engine/foundation/cXmlDocument.h"

#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <string>

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
	benchmark::Initialize(&argc, argv);
	cSummaryReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const double bytes = double(ScenarioText().size());
	const double engine = reporter.Seconds("EngineXml");
	const double pugi = reporter.Seconds("Pugixml");
	printf("\nXML of %.0f bytes: cXmlDocument %.1f MB/s, pugixml %.1f MB/s, ratio %.2f (target at least 0.50)\n", bytes,
		engine > 0 ? bytes / engine / 1e6 : 0.0, pugi > 0 ? bytes / pugi / 1e6 : 0.0, engine > 0 ? pugi / engine : 0.0);
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	benchmark::Shutdown();
	return 0;
}
