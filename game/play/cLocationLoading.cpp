#include "game/play/cLocationLoading.h"

#include <condition_variable>
#include <mutex>

namespace
{
std::mutex s_lock;
std::condition_variable s_changed;
bool s_loading = false;
int s_running = 0;
}

bool cLocationLoading::IsLoading()
{
	std::lock_guard<std::mutex> hold(s_lock);
	return s_loading;
}

void cLocationLoading::SetLoading(bool loading)
{
	std::lock_guard<std::mutex> hold(s_lock);
	s_loading = loading;
	s_changed.notify_all();
}

void cLocationLoading::Enter()
{
	std::lock_guard<std::mutex> hold(s_lock);
	++s_running;
}

void cLocationLoading::Leave()
{
	std::lock_guard<std::mutex> hold(s_lock);
	--s_running;
	s_changed.notify_all();
}

void cLocationLoading::WaitUntilIdle()
{
	std::unique_lock<std::mutex> hold(s_lock);
	s_changed.wait(hold, [] { return !s_loading && s_running == 0; });
}
