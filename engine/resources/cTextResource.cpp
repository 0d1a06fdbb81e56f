#include "engine/resources/cTextResource.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"

namespace
{
// The smallest chapter or section: an empty name and a zero count.
constexpr uint64_t SmallestTable = 8;

bool ReadSections(cStream& in, SectionTable& sections)
{
	uint32_t count = 0;
	if (!StreamReadCount(in, count, SmallestTable))
		return false;
	for (uint32_t i = 0; i < count; ++i)
	{
		std::string name;
		PhraseTable phrases;
		if (!StreamReadString(in, name) || !StreamReadStringWideMap(in, phrases))
			return false;
		sections.emplace(name, std::move(phrases));
	}
	return true;
}

std::string NameOf(const cXmlNode* element, const char* fallback)
{
	return GetXmlAttribute(element, "name", fallback);
}
}

cTextResource::cTextResource(const std::string& name, const sResourceSource& source) : cIndexedResource(name, source)
{
}

cResource* cTextResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cTextResource(name, source);
}

bool cTextResource::Load()
{
	if (!m_table.empty())
		return true;
	cMemoryStream bytes;
	if (GetSource().Read(bytes) && !ReadTable(bytes, m_table))
		LOG(2, "text resource %s is damaged", GetName().c_str());
	return true;
}

bool cTextResource::Unload()
{
	return true;
}

void cTextResource::Save(cStream& out)
{
	WriteTable(out, m_table);
}

void cTextResource::ReadDescription(const cXmlNode& element)
{
	for (cXmlNode* chapter = element.GetFirstChild(); chapter; chapter = chapter->GetNextSibling())
	{
		if (chapter->GetName() != "chapter")
			continue;
		SectionTable& sections = m_table[NameOf(chapter, "default")];
		for (cXmlNode* section = chapter->GetFirstChild(); section; section = section->GetNextSibling())
		{
			if (section->GetName() != "section")
				continue;
			PhraseTable& phrases = sections[NameOf(section, "default")];
			for (cXmlNode* phrase = section->GetFirstChild(); phrase; phrase = phrase->GetNextSibling())
				if (phrase->GetName() == "phrase")
					phrases[NameOf(phrase, "def")] = PhraseText(GetXmlAttribute(phrase, "text", "def"));
		}
	}
}

void cTextResource::WriteTable(cStream& out, const TextTable& table)
{
	StreamWriteU32(out, static_cast<uint32_t>(table.size()));
	for (const auto& [chapter, sections] : table)
	{
		StreamWriteString(out, chapter);
		StreamWriteU32(out, static_cast<uint32_t>(sections.size()));
		for (const auto& [section, phrases] : sections)
		{
			StreamWriteString(out, section);
			StreamWriteStringWideMap(out, phrases);
		}
	}
}

bool cTextResource::ReadTable(cStream& in, TextTable& table)
{
	table.clear();
	uint32_t count = 0;
	bool ok = StreamReadCount(in, count, SmallestTable);
	for (uint32_t i = 0; ok && i < count; ++i)
	{
		std::string name;
		SectionTable sections;
		ok = StreamReadString(in, name) && ReadSections(in, sections);
		if (ok)
			table.emplace(name, std::move(sections));
	}
	if (!ok)
		table.clear();
	return ok;
}
