#pragma once
// Hands XML elements to the handler registered for their name.

#include "engine/foundation/cDelegate.h"
#include "engine/foundation/cXmlDocument.h"

#include <map>
#include <string>

class cXmlDispatcher
{
public:
	// Shares the handler for elements named name, replacing an earlier one.
	void SetHandler(const std::string& name, const cDelegatePtr<cXmlNode*>& handler);
	// Calls the handler of the node's name, when there is one.
	void Dispatch(cXmlNode* node);
	// Dispatches the node and each following sibling, in order.
	void DispatchSiblings(cXmlNode* node);
	// Dispatches each child of the document's root, in order.
	void DispatchChildren(cXmlDocument& document);

private:
	std::map<std::string, cDelegatePtr<cXmlNode*>> m_handlers;
};
