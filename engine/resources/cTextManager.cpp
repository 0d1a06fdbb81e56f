#include "engine/resources/cTextManager.h"

#include "engine/foundation/StringUtils.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/resources/cTextResource.h"
#include "engine/resources/cXmlResource.h"

namespace
{
// Splits text at its last "\": before goes to head, after stays in text.
void SplitLast(std::string& text, std::string& head)
{
	size_t slash = text.rfind('\\');
	if (slash == std::string::npos)
		return;
	head = text.substr(0, slash);
	text.erase(0, slash + 1);
}

// The child elements of parent with the name, in order.
template <class Visit>
void ForEachChild(const cXmlNode* parent, const char* name, Visit visit)
{
	for (cXmlNode* child = parent->GetFirstChild(); child; child = child->GetNextSibling())
		if (child->GetName() == name)
			visit(child);
}

std::wstring XmlPhraseText(std::string text)
{
	// The line-break forms written by the text tools.
	ReplaceAll(text, "\\n", "\n");
	ReplaceAll(text, "&#xD;", "\n");
	ReplaceAll(text, "&#xA;", "");
	return PhraseText(text);
}
}

cTextManager::cTextManager()
{
	cResourceManager::GetInstance()->RegisterType("text_resource", cTextResource::Create);
}

const std::wstring& cTextManager::GetText(const std::string& id) const
{
	std::string chapter = "default";
	std::string section = "default";
	std::string phrase = id;
	SplitLast(phrase, section);
	SplitLast(section, chapter);
	return FindText(chapter, section, phrase);
}

const std::wstring& cTextManager::FindText(const std::string& chapter, const std::string& section,
	const std::string& phrase) const
{
	static const std::wstring empty;
	auto sections = m_table.find(chapter);
	if (sections == m_table.end())
		return empty;
	auto phrases = sections->second.find(section);
	if (phrases == sections->second.end())
		return empty;
	auto text = phrases->second.find(phrase);
	return text == phrases->second.end() ? empty : text->second;
}

void cTextManager::LoadFromXml(const cResourceHandle& handle)
{
	auto* resource = dynamic_cast<cXmlResource*>(handle.Get());
	if (!resource)
		return;
	cXmlNode* group = resource->GetDocument().GetRoot().FindChild("group");
	if (!group)
		return;
	for (cXmlNode* child = group->GetFirstChild(); child; child = child->GetNextSibling())
		if (GetXmlAttribute(child, "name", "") == "texts")
			ReadChapters(child);
}

void cTextManager::ReadChapters(const cXmlNode* texts)
{
	ForEachChild(texts, "group", [this](const cXmlNode* chapter) {
		SectionTable& sections = m_table[GetXmlAttribute(chapter, "name", "default")];
		ForEachChild(chapter, "group", [this, &sections](const cXmlNode* section) {
			ReadPhrases(section, sections[GetXmlAttribute(section, "name", "default")]);
		});
	});
}

void cTextManager::ReadPhrases(const cXmlNode* section, PhraseTable& phrases)
{
	for (cXmlNode* child = section->GetFirstChild(); child; child = child->GetNextSibling())
	{
		if (child->GetName() == "group")
			ReadPhrases(child, phrases);
		else if (child->GetName() == "phrase")
			phrases[GetXmlAttribute(child, "name", "def")] = XmlPhraseText(GetXmlAttribute(child, "text", "def"));
	}
}
