#pragma once
// Told of profile events by the profile manager, and allowed to keep a
// block of its own in "profiles.data".

#include <string>

class cProfile;
class cStream;

class cProfileListener
{
public:
	virtual ~cProfileListener() = default;
	virtual void SaveGlobals(cStream& stream) = 0;
	virtual void LoadGlobals(cStream& stream) = 0;
	virtual void OnProfileCreated(cProfile* profile) = 0;
	virtual void OnProfileNameChanged(cProfile* profile, const std::wstring& oldName) = 0;
	virtual void OnProfileDeleted(cProfile* profile) = 0;
};
