#pragma once
// Type "xml": a parsed XML document. The tree stays in memory after the
// last release.

#include "engine/foundation/cXmlDocument.h"
#include "engine/resources/cIndexedResource.h"

class cXmlResource : public cIndexedResource<cXmlResource>
{
public:
	static constexpr const char* LookupName = "xml";

	cXmlResource(const std::string& name, const sResourceSource& source);
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// False when the source cannot be read; a text that does not parse
	// leaves an empty tree and is logged.
	bool Load() override;
	bool Unload() override;
	const char* GetTypeName() override { return "xml"; }

	cXmlDocument& GetDocument() { return m_document; }

private:
	cXmlDocument m_document;
};
