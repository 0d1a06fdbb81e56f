#pragma once
// Builds the next main location form on a worker thread while the main
// thread keeps drawing, then posts it into the scene, hidden, under the
// effect window's render target. The diary and map window shows it once
// the player closes that window; a form that joins the scene while that
// window is hidden is reported, as nothing will show it. The form loads
// its resources and builds its objects without a lock and becomes the
// current location under the scene lock (see cLocationForm). The thread
// clears the loading flag and deletes itself when done.

#include "engine/foundation/cThread.h"

#include <string>

class cLocationLoaderThread : public cThread
{
public:
	// Marks a load as running; with showMap the diary and map window opens
	// in loading mode first. The thread starts at once.
	cLocationLoaderThread(const std::string& name, bool showMap);
	~cLocationLoaderThread() override;

	void OnExit() override;
	bool Step() override;

private:
	std::string m_name;
};
