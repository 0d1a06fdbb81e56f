#pragma once
// A player profile: a named save slot whose data lives in a file of its own
// in the settings folder. Derived classes write and read that data.

#include <atomic>
#include <string>

class cMemoryStream;
class cStream;

class cProfile
{
public:
	cProfile() = default;
	cProfile(const cProfile&) = default;
	cProfile(cProfile&&) = default;
	cProfile& operator=(const cProfile&) = default;
	cProfile& operator=(cProfile&&) = default;
	// Clears the current-profile pointer when it names this profile.
	virtual ~cProfile();

	// Nothing when this profile is current; otherwise saves the current
	// profile (if any), makes this one current and loads it.
	virtual void Activate();
	// Writes the profile file safely: a failure keeps the previous file and
	// is logged. False on failure.
	virtual bool Save();
	virtual void WriteBody(cStream& stream);
	// Reads the profile file when it exists; without one the profile keeps
	// its values. A body that cannot be read is logged and false.
	virtual bool Load();
	// False when the body cannot be read; the profile then keeps its values.
	virtual bool ReadBody(cStream& stream);

	const std::wstring& GetName() const { return m_name; }
	void SetName(const std::wstring& name) { m_name = name; }

	// "engine_directory" + "\" + the file stem of the name + ".profile".
	std::string GetFileName() const;
	// The file stem of a name: each byte of its UTF-8 form as a signed
	// decimal number, joined without separator ("Ann" gives "65110110").
	static std::string GetFileStem(const std::wstring& name);
	// Replaces the file at path with content through "temp_file" in the
	// same folder; false (and the old file kept) on any failure.
	static bool ReplaceFile(const std::string& path, cMemoryStream& content);

	// Counts the changes of the current profile: a profile activated in
	// place of another, or the current profile deleted. What was built for
	// one player compares it to know that it still belongs to the current
	// one.
	static unsigned GetActivationCount() { return s_activations; }
	static void CountActivation() { ++s_activations; }

private:
	std::wstring m_name;
	static inline std::atomic<unsigned> s_activations{0};
};

// The current profile, or null; owned by the profile manager.
extern cProfile* g_currentProfile;
