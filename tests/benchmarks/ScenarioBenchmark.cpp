// Reads a scenario of 10,000 commands and ticks it for 1,000 frames.
// Reading is measured against parsing the same text into cXmlDocument
// alone (the share of the work that is the framework's own is the rest);
// ticking against a plain recursive loop over an identical command tree
// that calls each command's Execute and IsReady and follows the matching
// children. Both sides are checked first to see the same commands, then
// the program closes with the medians, the ratios and the targets.

#include "benchmarks/cSummaryReporter.h"
#include "game/scenario/ScenarioTestSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>

namespace
{
const int Chains = 100;
const int ChainLength = 100;
const int Commands = Chains * ChainLength;
const int Frames = 1000;

// Counts its executions; finishes at once.
class cTallyCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	void Execute() override { ++count; }
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "tally"; }

	long count = 0;
};

// "startup" holds chains of nested commands; the last command of each
// chain waits for an outcome that never comes, so every frame runs every
// chain but those last ones, then returns to the state root.
const std::string& ScenarioText()
{
	static const std::string text = [] {
		std::string xml = "<scenario>\n<state name=\"startup\">\n";
		for (int chain = 0; chain < Chains; ++chain)
		{
			for (int level = 0; level < ChainLength - 1; ++level)
				xml += "<tally>";
			xml += "<tally result=\"later\"/>";
			for (int level = 0; level < ChainLength - 1; ++level)
				xml += "</tally>";
			xml += "\n";
		}
		return xml + "</state>\n</scenario>\n";
	}();
	return text;
}

cMemoryStream& ScenarioStream()
{
	static cMemoryStream stream = [] {
		cMemoryStream made;
		made.Write(ScenarioText().data(), static_cast<uint32_t>(ScenarioText().size()));
		return made;
	}();
	return stream;
}

// A location whose "startup" state is running.
struct sLoadedLocation
{
	sLoadedLocation()
	{
		cXmlDocument document(ScenarioStream());
		location.scenario.Load(document.GetRoot(), &location);
		location.SetState("startup");
		location.SetRunningCommand(location.GetState(""));
	}
	cScenarioCommand* Root() { return location.GetState(""); }

	cTestLocation location;
};

// The plain loop: true when the branch finished.
bool PlainRun(cScenarioCommand* command)
{
	command->Execute();
	if (command->IsReady() != cScenarioCommand::kFinished)
		return false;
	if (command->GetChildren().empty())
		return true;
	for (const auto& child : command->GetChildren())
		if (child->GetResult() == command->GetOutcome() && PlainRun(child.get()))
			return true;
	return false;
}

// Element names in document order below the root, "item" elements left out.
void Names(const cXmlNode& node, std::string& out)
{
	for (const cXmlNode* child = node.GetFirstChild(); child; child = child->GetNextSibling())
	{
		out += child->GetName() + "(";
		Names(*child, out);
		out += ")";
	}
}

void Names(const cScenarioCommand& command, std::string& out)
{
	for (const auto& child : command.GetChildren())
	{
		out += child->GetName() + "(";
		Names(*child, out);
		out += ")";
	}
}

// Each command's count in tree order.
void Counts(const cScenarioCommand& command, std::vector<long>& out)
{
	if (const auto* tally = dynamic_cast<const cTallyCommand*>(&command))
		out.push_back(tally->count);
	for (const auto& child : command.GetChildren())
		Counts(*child, out);
}

bool SameCommandsRead()
{
	cXmlDocument document(ScenarioStream());
	sLoadedLocation loaded;
	std::string parsed;
	std::string built;
	Names(*document.GetRoot().GetFirstChild(), parsed);
	Names(*loaded.Root(), built);
	return !built.empty() && parsed == built;
}

bool SameCommandsTicked()
{
	sLoadedLocation framework;
	sLoadedLocation plain;
	for (int frame = 0; frame < 3; ++frame)
	{
		framework.location.scenario.Tick();
		PlainRun(plain.Root());
	}
	std::vector<long> ticked;
	std::vector<long> looped;
	Counts(*framework.Root(), ticked);
	Counts(*plain.Root(), looped);
	long runs = 0;
	for (long count : ticked)
		runs += count;
	return ticked == looped && runs == 3L * Chains * (ChainLength - 1) &&
		framework.location.GetRunningCommand() == framework.Root();
}

void ReadScenario(benchmark::State& state)
{
	for (auto _ : state)
	{
		cXmlDocument document(ScenarioStream());
		cScenario scenario("location1");
		bool loaded = scenario.Load(document.GetRoot(), nullptr);
		benchmark::DoNotOptimize(loaded);
	}
	state.SetItemsProcessed(state.iterations() * Commands);
}

void ParseXmlOnly(benchmark::State& state)
{
	for (auto _ : state)
	{
		cXmlDocument document(ScenarioStream());
		benchmark::DoNotOptimize(document.GetRoot().GetFirstChild());
	}
	state.SetItemsProcessed(state.iterations() * Commands);
}

void TickScenario(benchmark::State& state)
{
	sLoadedLocation loaded;
	for (auto _ : state)
		for (int frame = 0; frame < Frames; ++frame)
			loaded.location.scenario.Tick();
	state.SetItemsProcessed(state.iterations() * Frames * Chains * (ChainLength - 1));
}

void TickPlainLoop(benchmark::State& state)
{
	sLoadedLocation loaded;
	for (auto _ : state)
		for (int frame = 0; frame < Frames; ++frame)
			PlainRun(loaded.Root());
	state.SetItemsProcessed(state.iterations() * Frames * Chains * (ChainLength - 1));
}

BENCHMARK(ReadScenario)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseXmlOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(TickScenario)->Unit(benchmark::kMillisecond);
BENCHMARK(TickPlainLoop)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
	Singletone<cCommandFactory>::GetInstance()->Register("tally", &CreateCommand<cTallyCommand>);
	if (!SameOutput(SameCommandsRead(), "Scenario read") || !SameOutput(SameCommandsTicked(), "Scenario tick"))
		return 1;
	cSummaryReporter reporter;
	if (!RunWithSummary(argc, argv, reporter))
		return 1;
	printf("\n");
	// The parse builds its nodes in an arena; reading also makes a command
	// object and a child list on the heap per element and looks its keyword
	// up, and frees them again: at most five times the parse in all.
	reporter.PrintTimeRatio("Reading 10,000 commands against parsing the XML alone", "ReadScenario", "ParseXmlOnly", 5.0);
	// The run's bookkeeping (started flags, the deepest command, the codes)
	// costs at most half again the plain loop.
	reporter.PrintTimeRatio("Ticking 1,000 frames against a plain loop over the tree", "TickScenario", "TickPlainLoop", 1.5);
	const double read = reporter.Median("ReadScenario");
	const double tick = reporter.Median("TickScenario");
	if (read > 0 && tick > 0)
		printf("  read %.2f million commands/s, ticked %.1f million commands/s\n", Commands / read / 1e6,
			double(Frames) * Chains * (ChainLength - 1) / tick / 1e6);
#if !defined(__OPTIMIZE__)
	printf("This build is not optimised: build with CMAKE_BUILD_TYPE Release or RelWithDebInfo to measure.\n");
#endif
	benchmark::Shutdown();
	return 0;
}
