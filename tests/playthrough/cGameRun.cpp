#include "cGameRun.h"

#include "HallScreen.h"
#include "cScreenComparer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../XWindowProbe.h"

namespace
{
// The mix the game writes: 44100 frames a second of two 16-bit samples.
const size_t kFrameBytes = 4;
const size_t kFramesPerSecond = 44100;
// A sample this far from zero is heard (about -50 dB).
const int kAudible = 100;

std::string ReadFile(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}

cGameRun::cGameRun()
{
	char pattern[] = "/tmp/zv2_playthrough_XXXXXX";
	m_root = mkdtemp(pattern);
	m_content = m_root + "/game";
	if (!RunProgram(ZV2_CONTENT_PROGRAM, m_content))
		return;
	// The lock and the player's settings in the run's folder; the game in
	// a window of the logical screen's size.
	setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
	setenv("XDG_DATA_HOME", (m_root + "/appdata").c_str(), 1);
	std::filesystem::create_directories(SettingsFolder());
	std::ofstream(SettingsFolder() + "/zv2.xml")
		<< "<config><config><item id=\"video.window\" value=\"true\"/></config></config>";
	// SDL's disk driver writes the mix as it plays it.
	setenv("SDL_AUDIODRIVER", "disk", 1);
	setenv("SDL_DISKAUDIOFILE", (m_root + "/sound.raw").c_str(), 1);
	if (!getenv("ZV2_PLAYTHROUGH_VISIBLE"))
		for (int attempt = 0; attempt < 3 && !m_probe; ++attempt)
		{
			m_display = std::make_unique<cPrivateDisplay>(2000 + int(getpid() % 8000) * 3 + attempt);
			if (!m_display->Name().empty())
			{
				setenv("DISPLAY", m_display->Name().c_str(), 1);
				m_probe = std::make_unique<cXWindowProbe>();
				if (!m_probe->IsOpen())
					m_probe.reset();
			}
		}
	else
		m_probe = std::make_unique<cXWindowProbe>();
	m_ready = m_probe && m_probe->IsOpen();
}

cGameRun::~cGameRun()
{
	if (m_game > 0)
		WaitForEnd(std::chrono::seconds(0));
	m_probe.reset();
	m_display.reset();
	std::filesystem::remove_all(m_root);
}

std::string cGameRun::SettingsFolder() const
{
	return m_root + "/appdata/Druvel's games/zv2";
}

void cGameRun::Start(const std::vector<std::string>& arguments)
{
	m_launched = std::chrono::steady_clock::now();
	m_game = StartProgram(ZV2_GAME_PROGRAM, m_content, arguments);
	m_window = 0;
}

bool cGameRun::Launch(const std::vector<std::string>& arguments)
{
	Start(arguments);
	if (m_game <= 0 ||
		!Eventually([&] { return (m_window = m_probe->FindMappedWindowOf(m_game)) != 0; }, std::chrono::seconds(30)))
		return false;
	ParkPointer();
	return true;
}

bool cGameRun::EndsWithin(std::chrono::seconds limit)
{
	if (m_game > 0 && Eventually([&] { return waitpid(m_game, &m_endStatus, WNOHANG) == m_game; }, limit))
		m_game = -1;
	return m_game <= 0;
}

int cGameRun::WaitForEnd(std::chrono::seconds limit)
{
	if (m_game > 0)
		m_endStatus = WaitForExit(m_game, limit);
	m_game = -1;
	const int status = m_endStatus;
	if (status == -1 || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

double cGameRun::SecondsSinceLaunch() const
{
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_launched).count();
}

sScreenshot cGameRun::Capture() const
{
	const cXWindowProbe::sRect place = m_probe->Geometry(m_window);
	sScreenshot shot;
	shot.width = place.width;
	shot.height = place.height;
	for (unsigned long pixel : m_probe->Capture(place))
		shot.pixels.push_back(unsigned(pixel));
	return shot;
}

sScreenshot cGameRun::CaptureStill(std::chrono::milliseconds stillness, std::chrono::seconds limit) const
{
	sScreenshot last = Capture();
	auto stillSince = std::chrono::steady_clock::now();
	const auto deadline = stillSince + limit;
	while (std::chrono::steady_clock::now() < deadline)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(100));
		sScreenshot shot = Capture();
		if (cScreenComparer::DifferingShare(shot, last) > 0)
		{
			last = std::move(shot);
			stillSince = std::chrono::steady_clock::now();
		}
		else if (std::chrono::steady_clock::now() - stillSince >= stillness)
			break;
	}
	return last;
}

bool cGameRun::WaitForChange(const sScreenshot& from, std::chrono::seconds limit) const
{
	return Eventually([&] { return cScreenComparer::DifferingShare(Capture(), from) > 0.01; }, limit);
}

bool cGameRun::WaitForBoxChange(const sScreenshot& from, const sScreenBox& box, double share,
	std::chrono::milliseconds limit) const
{
	return Eventually([&] { return BoxChange(Capture(), from, box) > share; }, limit);
}

void cGameRun::WaitForBoxStill(const sScreenBox& box, std::chrono::milliseconds stillness,
	std::chrono::milliseconds limit) const
{
	sScreenshot last = Capture();
	auto stillSince = std::chrono::steady_clock::now();
	const auto deadline = stillSince + limit;
	while (std::chrono::steady_clock::now() < deadline && std::chrono::steady_clock::now() - stillSince < stillness)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(40));
		sScreenshot shot = Capture();
		if (ShowsVictoryStar(shot))
			return;
		if (BoxChange(shot, last, box) > 0)
		{
			last = std::move(shot);
			stillSince = std::chrono::steady_clock::now();
		}
	}
}

void cGameRun::MoveTo(int x, int y) const
{
	const cXWindowProbe::sRect place = m_probe->Geometry(m_window);
	m_probe->MovePointer(m_window, x * place.width / kLogicalWidth, y * place.height / kLogicalHeight);
}

void cGameRun::RestPointerAt(int x, int y) const
{
	MoveTo(x, y);
	std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void cGameRun::ParkPointer() const
{
	MoveTo(kLogicalWidth - 8, 8);
}

void cGameRun::ClickAt(int x, int y) const
{
	MoveTo(x, y);
	// A frame or two for the game to see the pointer over its target.
	std::this_thread::sleep_for(std::chrono::milliseconds(100));
	m_probe->ClickButton(1);
}

void cGameRun::RightClickAt(int x, int y) const
{
	MoveTo(x, y);
	std::this_thread::sleep_for(std::chrono::milliseconds(100));
	m_probe->ClickButton(3);
}

void cGameRun::DragFromTo(int fromX, int fromY, int toX, int toY) const
{
	const cXWindowProbe::sRect place = m_probe->Geometry(m_window);
	m_probe->Drag(m_window, fromX * place.width / kLogicalWidth, fromY * place.height / kLogicalHeight,
		toX * place.width / kLogicalWidth, toY * place.height / kLogicalHeight);
}

void cGameRun::SetLeftButton(bool down) const
{
	m_probe->SetButton(1, down);
}

bool cGameRun::Click(const cScreenLayout& layout, const std::string& path) const
{
	if (!layout.Has(path))
		return false;
	ClickAt(layout.Box(path).CentreX(), layout.Box(path).CentreY());
	return true;
}

bool cGameRun::ClickUntilChanged(const cScreenLayout& layout, const std::string& path,
	std::chrono::seconds limit) const
{
	const sScreenshot before = Capture();
	const auto deadline = std::chrono::steady_clock::now() + limit;
	while (std::chrono::steady_clock::now() < deadline)
	{
		if (!Click(layout, path))
			return false;
		if (Eventually([&] { return cScreenComparer::DifferingShare(Capture(), before) > 0.02; },
				std::chrono::milliseconds(1500)))
			return true;
	}
	return false;
}

bool cGameRun::ClickUntilBoxChanges(int x, int y, const sScreenBox& box, double share, int attempts) const
{
	// The box is compared with a picture of the pointer resting on the
	// target: the pointer is drawn, and may change the target's look.
	RestPointerAt(x, y);
	const sScreenshot before = Capture();
	for (int attempt = 0; attempt < attempts; ++attempt)
	{
		ClickAt(x, y);
		if (WaitForBoxChange(before, box, share, std::chrono::seconds(2)))
		{
			WaitForBoxStill(box);
			return true;
		}
	}
	return false;
}

bool cGameRun::ClickUntilBoxChanges(const cScreenLayout& layout, const std::string& path, double share) const
{
	const sScreenBox box = layout.Box(path);
	return layout.Has(path) && ClickUntilBoxChanges(box.CentreX(), box.CentreY(), box, share);
}

void cGameRun::PressKey(unsigned long keySymbol) const
{
	m_probe->PressKey(keySymbol);
}

void cGameRun::Type(const std::string& text) const
{
	m_probe->TypeText(text);
}

void cGameRun::RequestClose() const
{
	m_probe->RequestClose(m_window);
}

std::string cGameRun::Log() const
{
	return ReadFile(m_content + "/zv2.txt");
}

size_t cGameRun::SoundBytes() const
{
	std::error_code error;
	const auto size = std::filesystem::file_size(m_root + "/sound.raw", error);
	return error ? 0 : size_t(size);
}

bool cGameRun::HeardSince(size_t offset) const
{
	const std::string sound = ReadFile(m_root + "/sound.raw");
	for (size_t i = offset; i < sound.size(); ++i)
		if (sound[i] != 0)
			return true;
	return false;
}

bool cGameRun::HeardWithoutBreakSince(size_t offset, std::chrono::milliseconds length) const
{
	const std::string sound = ReadFile(m_root + "/sound.raw");
	const size_t blockBytes = kFramesPerSecond / 100 * kFrameBytes;
	const size_t needed = size_t(length.count()) / 10;
	size_t run = 0;
	for (size_t block = offset / kFrameBytes * kFrameBytes; block + blockBytes <= sound.size(); block += blockBytes)
	{
		bool audible = false;
		for (size_t i = block; i < block + blockBytes && !audible; i += 2)
		{
			const int16_t sample = int16_t(uint16_t(uint8_t(sound[i])) | uint16_t(uint8_t(sound[i + 1])) << 8);
			audible = std::abs(sample) >= kAudible;
		}
		run = audible ? run + 1 : 0;
		if (run >= needed)
			return true;
	}
	return false;
}
