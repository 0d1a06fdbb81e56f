#include "engine/foundation/cXmlWriter.h"

namespace
{
void AppendEscaped(std::string& out, const std::string& text)
{
	for (char c : text)
	{
		switch (c)
		{
		case '&': out += "&amp;"; break;
		case '\n': out += "&#xD;&#xA;"; break;
		case '\r': break;
		case '"': out += "&quot;"; break;
		default: out += c; break;
		}
	}
}

void AppendNode(std::string& out, const cXmlNode& node, std::string& indent)
{
	out += indent;
	out += '<';
	out += node.GetName();
	for (const cXmlNode* attribute = node.GetFirstAttribute(); attribute; attribute = attribute->GetNextSibling())
	{
		out += ' ';
		out += attribute->GetName();
		out += "=\"";
		AppendEscaped(out, attribute->GetValue());
		out += '"';
	}
	if (!node.GetFirstChild() && node.GetValue().empty())
	{
		out += "/>";
		return;
	}
	out += '>';
	AppendEscaped(out, node.GetValue());
	if (!node.GetFirstChild())
	{
		out += "</" + node.GetName() + ">";
		return;
	}
	indent += '\t';
	for (const cXmlNode* child = node.GetFirstChild(); child; child = child->GetNextSibling())
	{
		out += '\n';
		AppendNode(out, *child, indent);
	}
	indent.pop_back();
	out += '\n';
	out += indent;
	out += "</" + node.GetName() + ">";
}
}

std::string EscapeXmlText(const std::string& text)
{
	std::string out;
	out.reserve(text.size());
	AppendEscaped(out, text);
	return out;
}

std::string FormatXmlDocument(const cXmlNode& root)
{
	std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
	std::string indent;
	AppendNode(out, root, indent);
	return out;
}

bool WriteXmlDocument(cStream& stream, const cXmlNode& root)
{
	bool truncated = stream.SetSize(0);
	std::string text = FormatXmlDocument(root);
	uint32_t written = stream.Write(text.data(), static_cast<uint32_t>(text.size()));
	return truncated && text.size() <= 0xFFFFFFFFu && written == text.size();
}
