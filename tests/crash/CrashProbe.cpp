// Installs the crash handler the way the game's entry does, starts the log
// in the working folder (dumps into "logs") and fails as its argument asks:
// "null" writes through a null pointer, "abort" aborts, "divide" divides by
// zero, "pure" calls a pure virtual function, "throw" lets an exception
// escape, "recurse" overflows the stack. With CRASH_PROBE_EARLY set it
// fails in a static initialiser, before main.

#include "engine/foundation/CrashHandlerInstall.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

// The faults are meant: sanitizer builds leave them unchecked, so that they
// reach the crash handler as they would in the game.
extern "C" [[gnu::noipa, gnu::no_sanitize("undefined")]] void ProbeNullWrite(int* target)
{
	*target = 1;
}

[[gnu::noipa, gnu::no_sanitize("undefined")]] int ProbeDivide(int numerator, int denominator)
{
	return numerator / denominator;
}

// Ends only when the depth wraps around, long after the stack is gone.
// Uninstrumented, so that the overflow lands in it and not in the address
// checker's bookkeeping for its frames.
[[gnu::noipa, gnu::no_sanitize("address")]] int ProbeRecurse(unsigned depth)
{
	volatile char frame[512];
	frame[0] = char(depth);
	return depth + 1 == 0 ? 0 : ProbeRecurse(depth + 1) + frame[0];
}

struct sProbeBase
{
	sProbeBase() { CallRun(this); }
	virtual ~sProbeBase() = default;
	virtual void Run() = 0;
	[[gnu::noipa]] static void CallRun(sProbeBase* self) { self->Run(); }
};

struct sProbeDerived : sProbeBase
{
	void Run() override {}
};

namespace
{
const bool s_early = getenv("CRASH_PROBE_EARLY") && (ProbeNullWrite(nullptr), true);
}

int main(int argc, char** argv)
{
	const char* mode = argc > 1 ? argv[1] : "";
	cConfig* config = Singletone<cConfig>::GetInstance();
	config->SetValue("short_name", "zv2");
	config->SetValue("log", "true");
	config->SetValue("hard_log", argc > 2 ? argv[2] : "true");
	config->SetValue("log_directory", "logs");
	Singletone<cLog>::GetInstance()->Init();
	LOG(0, "before the crash");

	if (!strcmp(mode, "null"))
		ProbeNullWrite(nullptr);
	else if (!strcmp(mode, "abort"))
		abort();
	else if (!strcmp(mode, "divide"))
		return ProbeDivide(1, 0);
	else if (!strcmp(mode, "pure"))
		sProbeDerived derived;
	else if (!strcmp(mode, "throw"))
		throw std::runtime_error("nobody catches this");
	else if (!strcmp(mode, "recurse"))
		return ProbeRecurse(0);
	return s_early ? 3 : 0;
}
