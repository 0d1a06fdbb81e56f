#pragma once
// Resource classes and helpers shared by the resource tests.

#include "engine/resources/cIndexedResource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

// A resource that counts its loads and unloads and notices a load while
// loaded or an unload while not loaded.
template <class Indexed>
class cCountingResourceBase : public cIndexedResource<Indexed>
{
public:
	cCountingResourceBase(const std::string& name, const sResourceSource& source = sResourceSource())
		: cIndexedResource<Indexed>(name, source)
	{
	}

	bool Load() override
	{
		if (loaded)
			++outOfTurn;
		loaded = true;
		++loads;
		return true;
	}

	bool Unload() override
	{
		if (!loaded)
			++outOfTurn;
		loaded = false;
		++unloads;
		return true;
	}

	bool loaded = false;
	std::atomic<int> loads{0};
	std::atomic<int> unloads{0};
	std::atomic<int> outOfTurn{0};
};

// Stands for the sound class: its lookups write "sound" into their lines.
class cFakeSound : public cCountingResourceBase<cFakeSound>
{
public:
	static constexpr const char* LookupName = "sound";
	using cCountingResourceBase::cCountingResourceBase;
	const char* GetTypeName() override { return "sound"; }
	static cResource* Create(const std::string& name, const sResourceSource& source)
	{
		return new cFakeSound(name, source);
	}
};

// Stands for the texture classes: two types sharing one index.
class cFakeTexture : public cCountingResourceBase<cFakeTexture>
{
public:
	static constexpr const char* LookupName = "itexture";
	using cCountingResourceBase::cCountingResourceBase;
	const char* GetTypeName() override { return "texture"; }
	static cResource* Create(const std::string& name, const sResourceSource& source)
	{
		return new cFakeTexture(name, source);
	}
};

class cFakeAlphaTexture : public cFakeTexture
{
public:
	using cFakeTexture::cFakeTexture;
	const char* GetTypeName() override { return "alpha_texture"; }
};

// Stands for the font class: created from resource lists only.
class cFakeFont : public cCountingResourceBase<cFakeFont>
{
public:
	static constexpr const char* LookupName = "font";
	using cCountingResourceBase::cCountingResourceBase;
	const char* GetTypeName() override { return "font"; }
	static cResource* Create(const std::string& name, const sResourceSource& source)
	{
		return new cFakeFont(name, source);
	}
};

// Keeps the base indexing, as the shader class does: it enters no index of
// its own, so its lookups never find anything.
class cFakeShader : public cResource
{
public:
	static constexpr const char* LookupName = "shader";
	using cResource::cResource;
	bool Load() override { return true; }
	bool Unload() override { return true; }
	const char* GetTypeName() override { return "shader"; }
};

// Limits the address space of the (child) process to what it uses now plus
// headroom, so that a huge allocation fails instead of succeeding lazily.
inline void LimitMemory(uint64_t headroom)
{
	unsigned long pages = 0;
	if (FILE* statm = fopen("/proc/self/statm", "r"))
	{
		if (fscanf(statm, "%lu", &pages) != 1)
			pages = 0;
		fclose(statm);
	}
	rlimit limit{};
	limit.rlim_cur = limit.rlim_max = pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE)) + headroom;
	setrlimit(RLIMIT_AS, &limit);
}
