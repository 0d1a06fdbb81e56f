#include "engine/foundation/cXmlDispatcher.h"

void cXmlDispatcher::SetHandler(const std::string& name, const cDelegatePtr<cXmlNode*>& handler)
{
	m_handlers[name] = handler;
}

void cXmlDispatcher::Dispatch(cXmlNode* node)
{
	auto found = m_handlers.find(node->GetName());
	if (found != m_handlers.end())
		found->second.Invoke(node);
}

void cXmlDispatcher::DispatchSiblings(cXmlNode* node)
{
	for (; node; node = node->GetNextSibling())
		Dispatch(node);
}

void cXmlDispatcher::DispatchChildren(cXmlDocument& document)
{
	DispatchSiblings(document.GetRoot().GetFirstChild());
}

