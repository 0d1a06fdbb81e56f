#pragma once
// Memory for the long texts of parsed trees. When an untouched parsed tree
// is destroyed, the memory of its long names and values is kept (up to a
// bound, per thread) instead of being released, and the next long texts
// the reader copies on that thread take it over: reading document after
// document then allocates and releases hardly any text memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class cXmlTextPool
{
public:
	// The calling thread's pool; null once the thread has ended it.
	static cXmlTextPool* OfThisThread();

	// A copy of text, made in kept memory when text is long and some fits.
	static std::string Copy(cXmlTextPool* pool, std::string_view text);
	// Keeps the memory of a long text for later copies; text is left empty.
	static void Keep(cXmlTextPool* pool, std::string& text);

	cXmlTextPool() = default;
	~cXmlTextPool();
	cXmlTextPool(const cXmlTextPool&) = delete;
	cXmlTextPool& operator=(const cXmlTextPool&) = delete;

private:
	// Kept strings by room: 16 to 31 characters, 32 to 63, ... up to 4095.
	static constexpr size_t RoomClasses = 8;
	static constexpr size_t KeptBytes = size_t(4) << 20;

	static size_t RoomClass(size_t room);

	std::vector<std::string> m_kept[RoomClasses];
	size_t m_bytes = 0;
};
