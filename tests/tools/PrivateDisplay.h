#pragma once
// An X server of a test's own, for the tests that start the game.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// An X server of the test's own: moving its pointer disturbs no other
// test that shares the display. It ends with the object. The display
// number is given: servers left to pick the first free one race for it
// when several tests start theirs at once.
class cPrivateDisplay
{
public:
	explicit cPrivateDisplay(int display)
	{
		int pipeEnds[2];
		if (pipe(pipeEnds) != 0)
			return;
		const std::string name = ":" + std::to_string(display);
		fflush(stdout);
		m_server = fork();
		if (m_server == 0)
		{
			close(pipeEnds[0]);
			const std::string fd = std::to_string(pipeEnds[1]);
			execlp("Xvfb", "Xvfb", name.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
				"tcp", static_cast<char*>(nullptr));
			_exit(127);
		}
		close(pipeEnds[1]);
		// The server writes the display number and a newline once it accepts
		// clients, in writes of their own: the pipe stays open until the
		// newline, or the server dies writing it. Waited for at most 20
		// seconds: a server that never starts fails the test, not hangs it.
		std::string written;
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (m_server > 0 && written.find('\n') == std::string::npos)
		{
			const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
				deadline - std::chrono::steady_clock::now());
			pollfd ready{pipeEnds[0], POLLIN, 0};
			char chunk[16];
			if (left.count() <= 0 || poll(&ready, 1, int(left.count())) != 1)
				break;
			const ssize_t length = read(pipeEnds[0], chunk, sizeof(chunk));
			if (length <= 0)
				break;
			written.append(chunk, size_t(length));
		}
		close(pipeEnds[0]);
		if (written.find('\n') != std::string::npos)
			m_name = name;
	}
	~cPrivateDisplay()
	{
		if (m_server > 0)
		{
			kill(m_server, SIGTERM);
			waitpid(m_server, nullptr, 0);
		}
	}
	cPrivateDisplay(const cPrivateDisplay&) = delete;
	cPrivateDisplay& operator=(const cPrivateDisplay&) = delete;

	// ":N"; empty when the server did not start.
	const std::string& Name() const { return m_name; }

private:
	pid_t m_server = -1;
	std::string m_name;
};

