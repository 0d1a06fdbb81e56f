#pragma once
// A console reporter that also keeps each benchmark's real time per
// iteration (of every repetition), so a benchmark program can close with a
// comparison line.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class cSummaryReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs)
			if (run.run_type == Run::RT_Iteration && run.iterations > 0)
			{
				const double seconds = run.real_accumulated_time / double(run.iterations);
				m_seconds[BaseName(run.benchmark_name())] = seconds;
				m_repetitions[BaseName(run.benchmark_name())].push_back(seconds);
			}
	}

	// Seconds per iteration of the named benchmark; 0 when it did not run.
	double Seconds(const std::string& name) const
	{
		auto found = m_seconds.find(name);
		return found == m_seconds.end() ? 0.0 : found->second;
	}

	// The median over the repetitions of the named benchmark; 0 when it did not run.
	double Median(const std::string& name) const
	{
		auto found = m_repetitions.find(name);
		if (found == m_repetitions.end())
			return 0.0;
		std::vector<double> times = found->second;
		std::sort(times.begin(), times.end());
		const size_t middle = times.size() / 2;
		return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
	}

private:
	// The name without arguments such as "/min_time:2.000".
	static std::string BaseName(const std::string& name) { return name.substr(0, name.find('/')); }

	std::map<std::string, double> m_seconds;
	std::map<std::string, std::vector<double>> m_repetitions;
};
