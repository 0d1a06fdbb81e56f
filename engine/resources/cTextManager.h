#pragma once
// Every localised text the game displays, looked up by a text id: chapter,
// section and phrase joined with "\" (a missing part reads "default"). The
// texts come from XML resources; the manager also registers the type
// "text_resource", whose tables are mounted and packed but not read here.

#include "engine/foundation/Singletone.h"
#include "engine/resources/TextTable.h"

class cResourceHandle;
class cXmlNode;

class cTextManager : public Singletone<cTextManager>
{
public:
	// Registers the type "text_resource" with the resource manager.
	cTextManager();

	// The text of the id, or an empty text when it names none.
	const std::wstring& GetText(const std::string& id) const;
	// Never inserts; the reference stays valid until the table changes.
	const std::wstring& FindText(const std::string& chapter, const std::string& section,
		const std::string& phrase) const;
	// Adds the texts of the XML resource held by the handle (of class
	// cXmlResource): under the first top-level "group", the children named
	// "texts" hold chapter groups, which hold section groups, which hold
	// "phrase" elements (nested groups flatten into their section). Later
	// texts replace earlier ones of the same id.
	void LoadFromXml(const cResourceHandle& handle);

private:
	void ReadChapters(const cXmlNode* texts);
	void ReadPhrases(const cXmlNode* section, PhraseTable& phrases);

	TextTable m_table;
};
