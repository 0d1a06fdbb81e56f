#pragma once
// A console reporter that keeps every repetition's time per iteration, so
// that a benchmark program can close with the medians of its side and its
// peer, their ratio and the target. Run the program's benchmarks through
// RunWithSummary: every benchmark is repeated (5 times unless the command
// line says otherwise) without warm-up runs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

class cSummaryReporter : public benchmark::ConsoleReporter
{
public:
	enum eClock
	{
		kRealTime, // wall-clock time
		kCpuTime // CPU time of the benchmark's thread
	};

	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs)
			if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred)
			{
				sSamples& samples = m_samples[Name(run)];
				samples.real.push_back(run.real_accumulated_time / double(run.iterations));
				samples.cpu.push_back(run.cpu_accumulated_time / double(run.iterations));
			}
	}

	// The median over the repetitions of the seconds per iteration of the
	// named benchmark ("function" or "function/argument"); 0 when it did not run.
	double Median(const std::string& name, eClock clock = kRealTime) const
	{
		auto found = m_samples.find(name);
		if (found == m_samples.end())
			return 0.0;
		std::vector<double> times = clock == kRealTime ? found->second.real : found->second.cpu;
		if (times.empty())
			return 0.0;
		std::sort(times.begin(), times.end());
		const size_t middle = times.size() / 2;
		return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
	}

	size_t Repetitions(const std::string& name) const
	{
		auto found = m_samples.find(name);
		return found == m_samples.end() ? 0 : found->second.real.size();
	}

	// Prints "what: side median ..., peer median ..., ratio r (target at most t) ok|OVER"
	// with the ratio side / peer of the medians; returns whether the target holds.
	bool PrintTimeRatio(const char* what, const std::string& side, const std::string& peer, double target,
		eClock clock = kRealTime) const
	{
		const double mine = Median(side, clock);
		const double theirs = Median(peer, clock);
		if (mine <= 0 || theirs <= 0)
		{
			printf("%s: not measured\n", what);
			return false;
		}
		const double ratio = mine / theirs;
		printf("%s: %s median %.3f ms, %s median %.3f ms (%zu repetitions, %s), ratio %.3f (target at most %.2f) %s\n",
			what, side.c_str(), mine * 1e3, peer.c_str(), theirs * 1e3, Repetitions(side),
			clock == kRealTime ? "wall clock" : "thread CPU time", ratio, target, ratio <= target ? "ok" : "OVER");
		return ratio <= target;
	}

private:
	struct sSamples
	{
		std::vector<double> real;
		std::vector<double> cpu;
	};

	static std::string Name(const Run& run)
	{
		const benchmark::BenchmarkName& name = run.run_name;
		return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
	}

	std::map<std::string, sSamples> m_samples;
};

// Runs the program's benchmarks into the reporter, 5 repetitions each unless
// the command line names a number, with no warm-up; false for bad arguments.
inline bool RunWithSummary(int argc, char** argv, cSummaryReporter& reporter)
{
	std::vector<char*> arguments(argv, argv + argc);
	static char repetitions[] = "--benchmark_repetitions=5";
	static char noWarmUp[] = "--benchmark_min_warmup_time=0";
	const bool repetitionsGiven = std::any_of(arguments.begin(), arguments.end(),
		[](const char* argument) { return strncmp(argument, "--benchmark_repetitions", 23) == 0; });
	if (!repetitionsGiven)
		arguments.insert(arguments.begin() + 1, repetitions);
	arguments.insert(arguments.begin() + 1, noWarmUp);
	int count = int(arguments.size());
	arguments.push_back(nullptr);
	benchmark::Initialize(&count, arguments.data());
	if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
		return false;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	return true;
}

// Reports two outputs that should be equal and are not.
inline bool SameOutput(bool same, const char* what)
{
	if (!same)
		printf("%s: the two sides produced different output; no comparison\n", what);
	return same;
}
