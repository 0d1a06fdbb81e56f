#pragma once
// A console reporter that also keeps each benchmark's real time per
// iteration, so a benchmark program can close with a comparison line.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class cSummaryReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs)
			if (run.run_type == Run::RT_Iteration && run.iterations > 0)
				m_seconds[BaseName(run.benchmark_name())] = run.real_accumulated_time / double(run.iterations);
	}

	// Seconds per iteration of the named benchmark; 0 when it did not run.
	double Seconds(const std::string& name) const
	{
		auto found = m_seconds.find(name);
		return found == m_seconds.end() ? 0.0 : found->second;
	}

private:
	// The name without arguments such as "/min_time:2.000".
	static std::string BaseName(const std::string& name) { return name.substr(0, name.find('/')); }

	std::map<std::string, double> m_seconds;
};
