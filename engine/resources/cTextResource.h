#pragma once
// Type "text_resource": a text table described in a resource list
// ("chapter", "section" and "phrase" elements) and stored in pack files in
// a binary form:
//   chapter count (u32); per chapter in name order: name (string), section
//   count (u32); per section in name order: name (string), then the phrase
//   map (count, then name (string) and UTF-16LE text (u32 units) each).
// Once filled, the table stays until the resource is destroyed.

#include "engine/resources/TextTable.h"
#include "engine/resources/cIndexedResource.h"

class cTextResource : public cIndexedResource<cTextResource>
{
public:
	static constexpr const char* LookupName = "text_resource";

	cTextResource(const std::string& name, const sResourceSource& source);
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Reads the binary form from the source unless the table is filled
	// already. Damaged bytes leave an empty table (logged). Always true.
	bool Load() override;
	bool Unload() override;
	void Save(cStream& out) override;
	void ReadDescription(const cXmlNode& element) override;
	const char* GetTypeName() override { return "text_resource"; }

	const TextTable& GetTable() const { return m_table; }

	static void WriteTable(cStream& out, const TextTable& table);
	// Every count is bounded by the bytes left; a damaged or short form
	// gives an empty table and false.
	static bool ReadTable(cStream& in, TextTable& table);

private:
	TextTable m_table;
};
