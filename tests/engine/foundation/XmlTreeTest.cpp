#include "engine/foundation/cXmlDispatcher.h"
#include "engine/foundation/cXmlNode.h"
#include "engine/foundation/cXmlParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::vector<std::string> ChildNames(const cXmlNode& node)
{
	std::vector<std::string> forward;
	const cXmlNode* last = nullptr;
	for (const cXmlNode* child = node.GetFirstChild(); child; child = child->GetNextSibling())
	{
		EXPECT_EQ(child->GetParent(), &node);
		forward.push_back(child->GetName());
		last = child;
	}
	std::vector<std::string> backward;
	for (const cXmlNode* child = last; child; child = child->GetPreviousSibling())
		backward.insert(backward.begin(), child->GetName());
	EXPECT_EQ(forward, backward);
	return forward;
}
}

TEST(XmlNode, FindChildFollowsOnlyTheFirstChildOfEachName)
{
	cXmlNode root("root");
	root.AddChildByPath("a");
	root.AddChildByPath("a")->AddChildByPath("b");
	EXPECT_EQ(root.FindChild("a\\b"), nullptr);
	EXPECT_EQ(root.FindChild("a\\"), root.GetFirstChild());
	EXPECT_EQ(root.FindChild(""), root.GetFirstChild());
	EXPECT_EQ(root.FindChild("x"), nullptr);
	EXPECT_EQ(cXmlNode("empty").FindChild(""), nullptr);
}

TEST(XmlNode, AddChildByPathSharesPartsButAlwaysAddsTheLast)
{
	cXmlNode root("root");
	cXmlNode* first = root.AddChildByPath("config\\item");
	cXmlNode* second = root.AddChildByPath("config\\item");
	EXPECT_NE(first, second);
	EXPECT_EQ(ChildNames(root), std::vector<std::string>{"config"});
	EXPECT_EQ(ChildNames(*root.FindChild("config")), (std::vector<std::string>{"item", "item"}));
}

TEST(XmlNode, AttributesKeepDuplicatesAndTheDefaultOnlyWhenMissing)
{
	cXmlNode node("n");
	node.AddAttribute("id")->SetValue("first");
	node.AddAttribute("id")->SetValue("second");
	node.AddAttribute("empty");
	EXPECT_EQ(node.FindAttribute("id")->GetValue(), "first");
	EXPECT_EQ(node.FindAttribute("id")->GetParent(), &node);
	EXPECT_EQ(node.FindAttribute("ID"), nullptr);
	EXPECT_EQ(GetXmlAttribute(&node, "missing", "fallback"), "fallback");
	EXPECT_EQ(GetXmlAttribute(&node, "empty", "fallback"), "");

	bool flag = true;
	for (const char* text : {"1", "true"})
	{
		node.SetValue(text);
		cXmlNode::ReadBool(node, flag);
		EXPECT_TRUE(flag) << text;
	}
	for (const char* text : {"TRUE", "yes", "", "0"})
	{
		node.SetValue(text);
		cXmlNode::ReadBool(node, flag);
		EXPECT_FALSE(flag) << text;
	}
}

TEST(XmlNode, AppendChildMovesANodeBetweenParents)
{
	cXmlNode from("from");
	cXmlNode to("to");
	for (const char* name : {"a", "b", "c", "d"})
		from.AddChildByPath(name);
	to.AddChildByPath("x");
	cXmlNode* b = from.FindChild("b");
	cXmlNode* d = from.FindChild("d");
	to.AppendChild(b);
	to.AppendChild(d);
	EXPECT_EQ(ChildNames(from), (std::vector<std::string>{"a", "c"}));
	EXPECT_EQ(ChildNames(to), (std::vector<std::string>{"x", "b", "d"}));
	from.AppendChild(from.FindChild("a")); // to the end of its own list
	EXPECT_EQ(ChildNames(from), (std::vector<std::string>{"c", "a"}));
	from.AddChildByPath("e");
	EXPECT_EQ(ChildNames(from), (std::vector<std::string>{"c", "a", "e"}));
}

TEST(XmlNode, SwapMovesListsAndFixesParents)
{
	cXmlNode full("full");
	full.SetValue("text");
	full.AddChildByPath("child");
	full.AddAttribute("attr");
	cXmlNode empty("empty");
	full.Swap(empty);
	EXPECT_EQ(empty.GetName(), "full");
	EXPECT_EQ(empty.GetValue(), "text");
	EXPECT_EQ(ChildNames(empty), std::vector<std::string>{"child"});
	EXPECT_EQ(empty.FindAttribute("attr")->GetParent(), &empty);
	EXPECT_EQ(full.GetName(), "empty");
	EXPECT_EQ(full.GetFirstChild(), nullptr);
	EXPECT_EQ(full.GetFirstAttribute(), nullptr);
	empty.Clear();
	EXPECT_EQ(empty.GetFirstChild(), nullptr);
	EXPECT_EQ(empty.GetName(), "full");
	empty.AddChildByPath("again");
	EXPECT_EQ(ChildNames(empty), std::vector<std::string>{"again"});
}

namespace
{
struct cRecorder
{
	std::vector<std::string> seen;
	void OnNode(cXmlNode* node) { seen.push_back(node->GetName() + "=" + node->GetValue()); }
};
}

TEST(XmlDispatcher, HandsElementsToTheirHandlers)
{
	cRecorder first, second;
	cXmlDispatcher dispatcher;
	dispatcher.SetHandler("font", cDelegatePtr<cXmlNode*>(MakeMemberDelegate(&first, &cRecorder::OnNode)));
	dispatcher.SetHandler("text", cDelegatePtr<cXmlNode*>(MakeMemberDelegate(&first, &cRecorder::OnNode)));
	dispatcher.SetHandler("text", cDelegatePtr<cXmlNode*>(MakeMemberDelegate(&second, &cRecorder::OnNode)));

	cXmlDocument document("resources");
	for (const char* name : {"font", "unknown", "text", "font"})
		document.GetRoot().AddChildByPath(name)->SetValue(name[0] == 'f' ? "f" : "t");
	dispatcher.DispatchChildren(document);
	EXPECT_EQ(first.seen, (std::vector<std::string>{"font=f", "font=f"}));
	EXPECT_EQ(second.seen, std::vector<std::string>{"text=t"});

	second.seen.clear();
	dispatcher.DispatchSiblings(document.GetRoot().FindChild("unknown"));
	EXPECT_EQ(second.seen, std::vector<std::string>{"text=t"});
}

namespace
{
// Texts long enough to take memory of their own, so that a leak or a
// second destruction shows under a memory checker.
const std::string LongText = "a value long enough to live outside the string";

bool LoadText(cXmlDocument& document, const std::string& text)
{
	cMemoryStream stream;
	stream.Write(text.data(), static_cast<uint32_t>(text.size()));
	return document.Load(static_cast<cStream&>(stream)); // from the start
}

const std::string Scenario = "<scenario name=\"" + LongText + "\"><state id=\"one\"><command text=\"" + LongText +
	"\"/></state><state id=\"two\">" + LongText + "</state></scenario>";
}

TEST(XmlNode, ParsedNodesOutliveTheirDocumentWhenMovedAway)
{
	cXmlDocument built("built");
	{
		cXmlDocument parsed;
		ASSERT_TRUE(LoadText(parsed, Scenario));
		built.GetRoot().AppendChild(parsed.GetRoot().FindChild("state"));
		EXPECT_EQ(ChildNames(parsed.GetRoot()), std::vector<std::string>{"state"});
	}
	cXmlNode* moved = built.GetRoot().FindChild("state");
	ASSERT_NE(moved, nullptr);
	EXPECT_EQ(moved->GetParent(), &built.GetRoot());
	EXPECT_EQ(moved->FindAttribute("id")->GetValue(), "one");
	EXPECT_EQ(moved->FindChild("command")->FindAttribute("text")->GetValue(), LongText);
	moved->AddChildByPath("added")->SetValue(LongText);
	EXPECT_EQ(ChildNames(*moved), (std::vector<std::string>{"command", "added"}));
}

TEST(XmlNode, ParsedAndBuiltTreesSwap)
{
	cXmlDocument parsed;
	ASSERT_TRUE(LoadText(parsed, Scenario));
	cXmlNode built("built");
	built.AddChildByPath("child")->SetValue(LongText);
	parsed.GetRoot().Swap(built);
	EXPECT_EQ(parsed.GetRoot().GetName(), "built");
	EXPECT_EQ(ChildNames(parsed.GetRoot()), std::vector<std::string>{"child"});
	EXPECT_EQ(built.GetName(), "scenario");
	EXPECT_EQ(ChildNames(built), (std::vector<std::string>{"state", "state"}));
	EXPECT_EQ(GetXmlAttribute(&built, "name", ""), LongText);
	// A parsed node swapped with a built one keeps the built texts.
	cXmlNode* state = built.FindChild("state");
	cXmlNode other(LongText);
	other.SetValue(LongText);
	state->Swap(other);
	EXPECT_EQ(state->GetName(), LongText);
	EXPECT_EQ(other.GetName(), "state");
	EXPECT_EQ(ChildNames(other), std::vector<std::string>{"command"});
}

TEST(XmlNode, ChangedParsedTreesAreDestroyedWhole)
{
	// Each change below leaves nodes or texts the parsed tree did not have;
	// the document must still destroy all of it exactly once.
	const std::vector<void (*)(cXmlNode&)> changes = {
		[](cXmlNode& root) { root.FindChild("state")->SetValue(LongText + LongText); },
		[](cXmlNode& root) { root.FindChild("state")->FindChild("command")->Value() = LongText; },
		[](cXmlNode& root) { root.FindChild("state")->Name() += LongText; },
		[](cXmlNode& root) { root.AddChildByPath("added")->SetValue(LongText); },
		[](cXmlNode& root) { root.FindChild("state")->AddAttribute("added")->SetValue(LongText); },
		[](cXmlNode& root) { root.FindChild("state")->Clear(); },
		[](cXmlNode& root) { root.AppendChild(root.FindChild("state")); },
		[](cXmlNode& root) { root.AppendChild(new cXmlNode(LongText)); },
	};
	for (auto change : changes)
	{
		cXmlDocument document;
		ASSERT_TRUE(LoadText(document, Scenario));
		change(document.GetRoot());
		EXPECT_FALSE(ChildNames(document.GetRoot()).empty());
	}
}

TEST(XmlNode, ADocumentLoadsAgainOverItsTree)
{
	cXmlDocument document;
	ASSERT_TRUE(LoadText(document, Scenario));
	ASSERT_TRUE(LoadText(document, "<other><x v=\"" + LongText + "\"/></other>"));
	EXPECT_EQ(document.GetRoot().GetName(), "other");
	EXPECT_EQ(ChildNames(document.GetRoot()), std::vector<std::string>{"x"});
	EXPECT_FALSE(LoadText(document, "<broken></x> "));
	EXPECT_EQ(document.GetRoot().GetFirstChild(), nullptr);
	ASSERT_TRUE(LoadText(document, Scenario));
	EXPECT_EQ(document.GetRoot().FindChild("state")->GetNextSibling()->GetValue(), LongText);
}

TEST(XmlNode, AParsedTopNodeIsDeletedOrClearedWithItsTree)
{
	for (bool clearFirst : {false, true})
	{
		cMemoryStream stream;
		stream.Write(Scenario.data(), static_cast<uint32_t>(Scenario.size()));
		stream.Seek(0, cStream::FromStart);
		cXmlParser parser(stream);
		cXmlNode* top = parser.Parse();
		ASSERT_NE(top, nullptr);
		EXPECT_EQ(top->GetName(), "scenario");
		if (clearFirst)
		{
			top->Clear();
			EXPECT_EQ(top->GetFirstChild(), nullptr);
			EXPECT_EQ(top->GetFirstAttribute(), nullptr);
			top->AddChildByPath("again")->SetValue(LongText);
		}
		delete top;
	}
}

TEST(XmlNode, LongTextsAreRightWhateverMemoryTheyReuse)
{
	// Trees are read and destroyed in turn, on this thread and on others, so
	// that long texts are made in memory that earlier texts of other lengths
	// held.
	auto document = [](size_t round) {
		std::string text = "<list>";
		for (size_t length = 14; length < 80; length += 3)
			text += "<item v=\"" + std::string(length + round % 5, static_cast<char>('a' + round % 26)) + "\">" +
				std::string(90 - length, 'x') + "</item>";
		return text + "</list>";
	};
	auto check = [](const cXmlDocument& loaded, size_t round) {
		size_t length = 14;
		for (const cXmlNode* item = loaded.GetRoot().GetFirstChild(); item; item = item->GetNextSibling(), length += 3)
		{
			EXPECT_EQ(GetXmlAttribute(item, "v", ""), std::string(length + round % 5, static_cast<char>('a' + round % 26)));
			EXPECT_EQ(item->GetValue(), std::string(90 - length, 'x'));
		}
		EXPECT_EQ(length, 80u); // every item was there
	};
	for (size_t round = 0; round < 6; ++round)
	{
		auto loaded = std::make_unique<cXmlDocument>();
		ASSERT_TRUE(LoadText(*loaded, document(round)));
		check(*loaded, round);
		if (round % 2)
			std::thread([&] { loaded.reset(); }).join(); // destroyed on another thread
		else
			loaded.reset();
	}
	std::unique_ptr<cXmlDocument> fromThread;
	std::thread([&] {
		fromThread = std::make_unique<cXmlDocument>();
		LoadText(*fromThread, document(7));
	}).join(); // read on a thread that has ended since
	check(*fromThread, 7);
}

TEST(XmlNode, RenamingAParsedNodeLeavesItsNamesakes)
{
	cXmlDocument document;
	ASSERT_TRUE(LoadText(document, "<a><b x=\"1\"/><b x=\"2\"/><b x=\"3\"/></a>"));
	cXmlNode* first = document.GetRoot().GetFirstChild();
	cXmlNode* second = first->GetNextSibling();
	first->SetName("renamed");
	second->Name() += LongText;
	second->GetFirstAttribute()->SetName("y");
	EXPECT_EQ(ChildNames(document.GetRoot()), (std::vector<std::string>{"renamed", "b" + LongText, "b"}));
	EXPECT_EQ(second->GetNextSibling()->GetFirstAttribute()->GetName(), "x");
	EXPECT_EQ(GetXmlAttribute(second, "y", ""), "2");
	// Renamed again, the node keeps one name of its own.
	const std::string& name = first->GetName();
	first->SetName("again");
	EXPECT_EQ(name, "again");
}
