#pragma once
// The registry of compression methods. Packing chooses the default method,
// the smallest result of all methods, or none; unpacking dispatches by the
// method name stored with the data (empty: stored unpacked).

#include "engine/foundation/Singletone.h"
#include "engine/foundation/cSharedPtr.h"
#include "engine/resources/cArchiverMethod.h"

#include <map>
#include <string>
#include <vector>

class cArchiver : public Singletone<cArchiver>
{
public:
	enum
	{
		UseDefault = 0,
		UseSmallest = 1,
		Store = 2
	};

	// Registers the "Zlib" method, which becomes the default.
	cArchiver();

	// Takes ownership; replaces a method of the same name. The first method
	// registered becomes the default.
	bool Register(cArchiverMethod* method);
	// Appends "" and then every method's name in name order.
	void GetMethodNames(std::vector<std::string>& names) const;
	// Packs in into the empty stream out as choice says; used receives the
	// method's name, empty when the data is stored. Always true.
	bool Compress(cStream& in, cMemoryStream& out, int choice, std::string& used);
	// Unpacks in with the named method into out.
	bool Decompress(cStream& in, cMemoryStream& out, const std::string& method);

private:
	std::map<std::string, cSharedPtr<cArchiverMethod>> m_methods;
	std::string m_defaultMethod;
};
