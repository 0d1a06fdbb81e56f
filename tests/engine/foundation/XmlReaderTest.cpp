#include "TempFolder.h"

#include "engine/foundation/cFileStream.h"
#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlParser.h"
#include "engine/foundation/cXmlWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace
{
cMemoryStream MakeStream(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}

bool Load(cXmlDocument& document, const std::string& text)
{
	cMemoryStream stream = MakeStream(text);
	return document.Load(static_cast<cStream&>(stream));
}

// The tree as compact text: name[attr=value...]"text"(children).
std::string Describe(const cXmlNode& node)
{
	std::string out = node.GetName();
	for (const cXmlNode* a = node.GetFirstAttribute(); a; a = a->GetNextSibling())
		out += "[" + a->GetName() + "=" + a->GetValue() + "]";
	if (!node.GetValue().empty())
		out += "\"" + node.GetValue() + "\"";
	if (node.GetFirstChild())
	{
		out += "(";
		for (const cXmlNode* c = node.GetFirstChild(); c; c = c->GetNextSibling())
			out += Describe(*c) + (c->GetNextSibling() ? "," : "");
		out += ")";
	}
	return out;
}

std::string Parse(const std::string& text, std::string* diagnostic = nullptr)
{
	cMemoryStream stream = MakeStream(text);
	cXmlParser parser(stream);
	cXmlNode* top = parser.Parse();
	if (diagnostic)
		*diagnostic = parser.GetDiagnostic();
	if (!top)
		return "<null>";
	std::string description = Describe(*top);
	delete top;
	return description;
}
}

TEST(XmlReader, AcceptsTheSubsetTheFilesUse)
{
	struct sCase
	{
		const char* text;
		const char* tree;
	};
	const sCase cases[] = {
		{"", ""},
		{" \r\n\t ", ""},
		{"<a/>", "a"},
		{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a x=\"1\" y=\"two words\"><b/><c>text</c></a>", "a[x=1][y=two words](b,c\"text\")"},
		{"\xEF\xBB\xBF<a x=\"1\"/>", "a[x=1]"},
		{"<a>\t  some text \r\n<b/></a>", "a\"some text\"(b)"},
		{"<a \n\tx=\"1\" \n\ty=\"2\"/>", "a[x=1][y=2]"},
		{"<a\nb x=\"1\"/>", "a\nb[x=1]"},
		{"<a><!-- a comment with words --><b/></a>", "a(b)"},
		{"<a><!--nospace--><b/>-- <c/></a>", "a"},
		{"<a x='1' y=\"it's\"/>", "a[x=it's]"},
		{"<a><b><c>\n", "a(b(c))"},
		{"<a><b><c>", "a(b)"},
		{"<a x=\"1\"><b/></a><z y=\"2\"><c/></z>", "z[x=1][y=2](b,c)"},
		{"<a>&amp;amp;quot; &amp;quot; &quot; &lt;&gt;&apos;</a>", "a\"\" \" \" &lt;&gt;&apos;\""},
		{"<a v=\"x&#xD;&#xA;y &#x&#xA;A;z &amp;#xD;\"/>", "a[v=x\ny z \n]"},
	};
	for (const sCase& c : cases)
		EXPECT_EQ(Parse(c.text), c.tree) << c.text;
}

TEST(XmlReader, FailsWithItsDiagnostics)
{
	struct sCase
	{
		const char* text;
		const char* diagnostic;
	};
	const sCase cases[] = {
		{"junk<a/>", "XmlError::Open tag waiting, but found :junk\n"},
		{"<a><b/>mixed</a>", "XmlError::Open tag waiting, but found :mixed\n"},
		{"<a/> trailing  ", "XmlError::Open tag waiting, but found :trailing\n"},
		{"<a><b></c></a>", "Xml::Looking for name b but found\n"},
		{"</a> ", "Xml::Looking for name  but found\n"},
		{"<a/ x>", "Xml::Missed close branch in node a\n"},
		{"<a x y=\"1\"/>", "Xml::Expected '=' but found y\n"},
		{"<!DOCTYPE html><a/>", "Xml::Expected '=' but found >\n"},
	};
	for (const sCase& c : cases)
	{
		std::string diagnostic;
		EXPECT_EQ(Parse(c.text, &diagnostic), "<null>") << c.text;
		EXPECT_EQ(diagnostic, c.diagnostic) << c.text;
	}
}

TEST(XmlReader, FailedLoadEmptiesTheRootButKeepsItsName)
{
	cXmlDocument document("keep");
	document.GetRoot().AddChildByPath("old");
	EXPECT_FALSE(Load(document, "<a></b> "));
	EXPECT_EQ(Describe(document.GetRoot()), "keep");
	EXPECT_TRUE(Load(document, "<a><b/></a>"));
	EXPECT_EQ(Describe(document.GetRoot()), "a(b)");
}

TEST(XmlReader, ReportsWhetherTheTextWasComplete)
{
	const std::pair<const char*, bool> cases[] = {
		{"<a><b/></a>", true},
		{"<a><b/></a>\n", true},
		{"<a><b/></a", false},
		{"<a><b/><", false},
		{"<a><b x=\"12", false},
		{"<a><b/>", false},
	};
	for (const auto& [text, complete] : cases)
	{
		cMemoryStream stream = MakeStream(text);
		cXmlParser parser(stream);
		delete parser.Parse();
		EXPECT_EQ(parser.IsComplete(), complete) << text;
	}
}

TEST(XmlReader, HostileInputFailsOrLoadsCleanly)
{
	std::string nested;
	for (int i = 0; i < 100000; ++i)
		nested += "<n>";
	std::string diagnostic;
	EXPECT_EQ(Parse(nested, &diagnostic), "<null>");
	EXPECT_EQ(diagnostic, "Xml::Nesting too deep in node n\n");

	std::string deepButFine;
	for (int i = 0; i < cXmlParser::MaxDepth; ++i)
		deepButFine += "<n>";
	EXPECT_NE(Parse(deepButFine), "<null>");

	std::mt19937 random(7);
	for (int round = 0; round < 50; ++round)
	{
		std::string bytes(1 + random() % 4000, '\0');
		for (char& c : bytes)
			c = static_cast<char>(random());
		if (round % 2)
			bytes = "<a>" + bytes; // get past the first tag
		cXmlDocument document;
		Load(document, bytes); // either way: no crash, no hang
	}

	const std::string full = "<config><config><item id=\"a\" value=\"1\"/><item id=\"b\" value=\"2\"/></config></config>";
	for (size_t cut = 0; cut < full.size(); ++cut)
	{
		cXmlDocument document;
		Load(document, full.substr(0, cut));
	}
}

TEST(XmlReader, ParsesFromTheStreamPositionAndLeavesItAtTheEnd)
{
	cMemoryStream stream = MakeStream("junk<a/>");
	stream.Seek(4, cStream::FromStart);
	cXmlDocument document;
	EXPECT_TRUE(document.Load(stream));
	EXPECT_EQ(document.GetRoot().GetName(), "a");
	EXPECT_TRUE(stream.IsEnd());
}

TEST(XmlWriter, EscapesOnlyWhatTheReaderDecodes)
{
	EXPECT_EQ(EscapeXmlText("a&b \"q\" <x> 'y'\r\nz"), "a&amp;b &quot;q&quot; <x> 'y'&#xD;&#xA;z");
	EXPECT_EQ(EscapeXmlText("&amp;"), "&amp;amp;");
}

TEST(XmlWriter, WritesTheTabbedLayoutAndReadsItBack)
{
	cXmlDocument document("root");
	cXmlNode& root = document.GetRoot();
	root.AddAttribute("id")->SetValue("line\nbreak \"quoted\"");
	root.SetValue("text & more");
	root.AddChildByPath("empty");
	cXmlNode* inner = root.AddChildByPath("inner");
	inner->AddChildByPath("leaf")->SetValue("leaf text");
	inner->AddChildByPath("leaf");

	cMemoryStream stream;
	stream.Write("old bytes that must go", 22);
	ASSERT_TRUE(document.Save(stream));
	const std::string expected =
		"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
		"<root id=\"line&#xD;&#xA;break &quot;quoted&quot;\">text &amp; more\n"
		"\t<empty/>\n"
		"\t<inner>\n"
		"\t\t<leaf>leaf text</leaf>\n"
		"\t\t<leaf/>\n"
		"\t</inner>\n"
		"</root>";
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize()), expected);

	cXmlDocument loaded;
	stream.Seek(0, cStream::FromStart);
	ASSERT_TRUE(loaded.Load(stream));
	EXPECT_EQ(Describe(loaded.GetRoot()), Describe(root));

	// Element text keeps the line-break references undecoded.
	cXmlDocument text("t");
	text.GetRoot().SetValue("a\nb");
	cMemoryStream written;
	text.Save(written);
	written.Seek(0, cStream::FromStart);
	ASSERT_TRUE(loaded.Load(written));
	EXPECT_EQ(loaded.GetRoot().GetValue(), "a&#xD;&#xA;b");
}

namespace
{
// Takes limit bytes, then refuses more.
class cLimitedStream : public cMemoryStream
{
public:
	explicit cLimitedStream(uint32_t limit) : m_limit(limit) {}
	uint32_t Write(const void* source, uint32_t count) override
	{
		uint32_t room = m_limit - std::min(m_limit, GetSize());
		return cMemoryStream::Write(source, std::min(room, count));
	}
	bool SetSize(uint32_t size) override { return m_refuseSize ? false : cMemoryStream::SetSize(size); }
	bool m_refuseSize = false;

private:
	uint32_t m_limit;
};
}

TEST(XmlWriter, SaveReportsShortWritesAndFailedTruncation)
{
	cXmlDocument document("config");
	document.GetRoot().AddChildByPath("config\\item")->AddAttribute("id")->SetValue("video.width");
	cLimitedStream tight(30);
	EXPECT_FALSE(document.Save(tight));
	cLimitedStream roomy(1000);
	EXPECT_TRUE(document.Save(roomy));
	roomy.m_refuseSize = true;
	EXPECT_FALSE(document.Save(roomy));
}

TEST(XmlReader, LoadsFilesThroughAFileStream)
{
	cTempFolder folder;
	cTempFolder::WriteFile("empty.xml", "");
	cTempFolder::WriteFile("list.xml", "<resources>\n\t<texture name=\"wall\"/>\n</resources>");
	std::string nested;
	for (int i = 0; i < 100000; ++i)
		nested += "<n>";
	cTempFolder::WriteFile("nested.xml", nested);

	cFileStream empty("empty.xml", 3, 2, 2);
	cXmlDocument emptyDocument(empty);
	EXPECT_EQ(Describe(emptyDocument.GetRoot()), "");

	cFileStream list("LIST.XML", 3, 2, 2);
	list.Seek(5, cStream::FromStart); // read from the start whatever the position
	cXmlDocument document(list);
	EXPECT_EQ(Describe(document.GetRoot()), "resources(texture[name=wall])");

	cFileStream deep("nested.xml", 3, 2, 2);
	cXmlDocument deepDocument;
	EXPECT_FALSE(deepDocument.Load(deep));
}

TEST(XmlReader, ReadsNamesValuesAndTextsOfAnyLengthUpToTheVeryEnd)
{
	// Names, values and texts of every length around the sizes the reader
	// handles at once, with references in places that move along, in texts
	// cut anywhere. The copy of the stream holds exactly the text (leading
	// white space makes it long enough to get a buffer of its own size), so
	// that a memory checker sees any read beyond it.
	const std::string units[] = {"v", "&amp;", "w", "&quot;", "&amp;amp;"};
	const std::string decoded[] = {"v", "&", "w", "\"", "&"};
	const std::string padding(64, ' ');
	for (size_t length = 1; length <= 24; ++length)
	{
		std::string name(length, static_cast<char>('a' + length % 26));
		std::string value, expected;
		for (size_t i = 0; i < length; ++i)
		{
			value += units[(i + length) % 5];
			expected += decoded[(i + length) % 5];
		}
		const std::string text = padding + "<" + name + " " + name + "=\"" + value + "\">" + value + "</" + name + ">";
		for (size_t cut = padding.size(); cut <= text.size(); ++cut)
		{
			cMemoryStream written = MakeStream(text.substr(0, cut));
			cMemoryStream exact(written);
			cXmlParser parser(exact);
			std::unique_ptr<cXmlNode> top(parser.Parse());
			ASSERT_NE(top, nullptr) << text.substr(0, cut);
			if (cut == text.size())
			{
				EXPECT_TRUE(parser.IsComplete());
				EXPECT_EQ(top->GetName(), name);
				EXPECT_EQ(GetXmlAttribute(top.get(), name, "missing"), expected);
				EXPECT_EQ(top->GetValue(), expected);
			}
		}
	}
}
