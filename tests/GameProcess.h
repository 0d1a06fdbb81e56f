#pragma once
// The game program run from outside, as a player starts it: on an X server
// of the caller's own, in a folder, waited for with a limit.

#include <chrono>
#include <csignal>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// In a forked child: the child is killed when the test that started it
// ends, even by a crash or a time limit, so no game or server outlives it.
inline void EndWithParent()
{
	prctl(PR_SET_PDEATHSIG, SIGKILL);
}

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
			EndWithParent();
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

// Runs the command line's program and waits; true when it ended with 0.
inline bool RunProgram(const std::string& program, const std::string& argument)
{
	const std::string command = "'" + program + "' '" + argument + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Starts the program in the folder with the arguments; its pid.
inline pid_t StartProgram(const std::string& program, const std::string& folder,
	const std::vector<std::string>& arguments)
{
	fflush(stdout);
	const pid_t child = fork();
	if (child == 0)
	{
		EndWithParent();
		std::vector<char*> argv{const_cast<char*>(program.c_str())};
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		if (chdir(folder.c_str()) == 0)
			execv(program.c_str(), argv.data());
		_exit(127);
	}
	return child;
}

// The child's wait status once it ended within the limit; -1 when it had
// to be killed.
inline int WaitForExit(pid_t child, std::chrono::seconds limit)
{
	const auto deadline = std::chrono::steady_clock::now() + limit;
	int status = 0;
	while (waitpid(child, &status, WNOHANG) == 0)
	{
		if (std::chrono::steady_clock::now() > deadline)
		{
			kill(child, SIGKILL);
			waitpid(child, &status, 0);
			return -1;
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	}
	return status;
}

inline bool EndedWithZero(int status)
{
	return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Polls until the condition holds, for up to the limit.
inline bool Eventually(const std::function<bool()>& condition,
	std::chrono::milliseconds limit = std::chrono::seconds(20))
{
	const auto deadline = std::chrono::steady_clock::now() + limit;
	while (!condition())
	{
		if (std::chrono::steady_clock::now() > deadline)
			return false;
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
	}
	return true;
}
