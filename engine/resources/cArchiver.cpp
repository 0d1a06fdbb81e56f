#include "engine/resources/cArchiver.h"

#include "engine/foundation/cLog.h"
#include "engine/resources/cZlibArchiver.h"

namespace
{
// Replaces the contents of out with all of source.
void CopyAll(cMemoryStream& out, cStream& source)
{
	out.SetSize(0);
	out.CopyFrom(source, cStream::WholeStream);
}
}

cArchiver::cArchiver()
{
	Register(new cZlibArchiver);
}

bool cArchiver::Register(cArchiverMethod* method)
{
	if (m_methods.empty())
		m_defaultMethod = method->GetName();
	m_methods[method->GetName()] = cSharedPtr<cArchiverMethod>(method);
	return true;
}

void cArchiver::GetMethodNames(std::vector<std::string>& names) const
{
	names.push_back("");
	for (const auto& entry : m_methods)
		names.push_back(entry.first);
}

bool cArchiver::Compress(cStream& in, cMemoryStream& out, int choice, std::string& used)
{
	used.clear();
	if (choice == UseDefault)
	{
		auto found = m_methods.find(m_defaultMethod);
		cMemoryStream packed;
		if (found != m_methods.end() && found->second->Compress(in, packed))
		{
			used = m_defaultMethod;
			CopyAll(out, packed);
		}
		else
			CopyAll(out, in);
	}
	else if (choice == UseSmallest)
	{
		cMemoryStream best(in);
		for (const auto& [name, method] : m_methods)
		{
			cMemoryStream packed;
			if (method->Compress(in, packed) && packed.GetSize() < best.GetSize())
			{
				best.SetSize(0);
				best.CopyFrom(packed, cStream::WholeStream);
				used = name;
			}
		}
		CopyAll(out, best);
	}
	else
		CopyAll(out, in);
	return true;
}

bool cArchiver::Decompress(cStream& in, cMemoryStream& out, const std::string& method)
{
	if (method.empty())
	{
		CopyAll(out, in);
		return true;
	}
	auto found = m_methods.find(method);
	if (found == m_methods.end())
	{
		LOG(2, "archiver method not found ");
		return false;
	}
	// Unpacked straight into out (a resource's own buffer), without a copy.
	out.SetSize(0);
	return found->second->Uncompress(in, out);
}
