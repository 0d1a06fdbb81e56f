#pragma once
// The location loader threads, seen from the main thread. A loader sets the
// "location loading" flag while it builds a location form and counts as
// running from its creation until its thread has finished. The main thread
// reads the flag; the game's teardown waits until no loader runs, so that
// no form is deleted under a constructor that still builds it and no
// finished form arrives after the teardown has begun.

class cLocationLoading
{
public:
	static bool IsLoading();
	static void SetLoading(bool loading);

	// A loader thread enters when it is created and leaves as the last
	// thing its thread does.
	static void Enter();
	static void Leave();

	// Blocks until the flag is clear and no loader thread runs.
	static void WaitUntilIdle();
};
