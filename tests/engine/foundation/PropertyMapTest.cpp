#include "engine/foundation/cPropertyMap.h"

#include <gtest/gtest.h>

#include <clocale>

TEST(PropertyMap, StoredTextReachesAVariableBoundLater)
{
	cPropertyMap map;
	map.SetText("width", "42");
	int width = 0;
	map.BindIntVariable("width", &width);
	EXPECT_EQ(width, 42);

	int untouched = 7;
	map.BindIntVariable("fresh", &untouched);
	EXPECT_EQ(untouched, 7);
	EXPECT_EQ(map.GetText("fresh"), "7");

	// Rebinding hands the first variable's current value to the second.
	int other = 0;
	width = 99;
	map.BindIntVariable("width", &other);
	EXPECT_EQ(other, 99);
	map.SetText("width", " -12px");
	EXPECT_EQ(other, -12);
	EXPECT_EQ(width, 99);
}

TEST(PropertyMap, BoolsReadTrueOnlyFromOneOrTrue)
{
	cPropertyMap map;
	map.SetText("flag", "True");
	bool flag = true;
	map.BindBoolVariable("flag", &flag);
	EXPECT_FALSE(flag);
	EXPECT_EQ(map.GetText("flag"), "false");
	for (const char* text : {"1", "true"})
	{
		map.SetText("flag", text);
		EXPECT_TRUE(flag) << text;
	}
	for (const char* text : {"TRUE", "yes", "on", "2", ""})
	{
		map.SetText("flag", text);
		EXPECT_FALSE(flag) << text;
	}
}

TEST(PropertyMap, AbsentKeysAreInsertedEmpty)
{
	cPropertyMap map;
	EXPECT_EQ(map.GetText("missing"), "");
	EXPECT_EQ(map.count("missing"), 1u);
	EXPECT_FALSE(map["missing"].value);
}

namespace
{
struct cVolume
{
	float level = 0.5f;
	std::string name = "music";
	void GetLevel(float* out) { *out = level; }
	void SetLevel(float* in) { level = *in; }
	void GetName(std::string* out) { *out = name; }
	void SetName(std::string* in) { name = *in; }
};
}

TEST(PropertyMap, DelegatesConvertInTheCLocale)
{
	// A user locale with a decimal comma must not change the text forms.
	const char* previous = setlocale(LC_NUMERIC, nullptr);
	std::string saved = previous ? previous : "C";
	bool haveCommaLocale = setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;

	cVolume volume;
	cPropertyMap map;
	map.SetText("volume", "0.25");
	map.BindFloat("volume", cDelegatePtr<float*>(MakeMemberDelegate(&volume, &cVolume::GetLevel)),
		cDelegatePtr<float*>(MakeMemberDelegate(&volume, &cVolume::SetLevel)));
	EXPECT_FLOAT_EQ(volume.level, 0.25f);
	volume.level = 1.0f;
	EXPECT_EQ(map.GetText("volume"), "1.000000");
	map.SetText("volume", "  7.5e-1xyz");
	EXPECT_FLOAT_EQ(volume.level, 0.75f);
	map.SetText("volume", "bad");
	EXPECT_FLOAT_EQ(volume.level, 0.0f);
	setlocale(LC_NUMERIC, saved.c_str());
	(void)haveCommaLocale;

	map.BindString("name", cDelegatePtr<std::string*>(MakeMemberDelegate(&volume, &cVolume::GetName)),
		cDelegatePtr<std::string*>());
	EXPECT_EQ(map.GetText("name"), "music");
	map.SetText("name", "ignored"); // no setter: writes do nothing
	EXPECT_EQ(volume.name, "music");

	// Without a getter the cached text stays as it was.
	map.BindInt("count", cDelegatePtr<int*>(), cDelegatePtr<int*>());
	map["count"].text = "5";
	EXPECT_EQ(map.GetText("count"), "5");
}

TEST(PropertyMap, DelegatesAreSharedAndReleased)
{
	cVolume volume;
	cDelegatePtr<float*> getter(MakeMemberDelegate(&volume, &cVolume::GetLevel));
	{
		cPropertyMap map;
		map.BindFloat("volume", getter, getter);
		EXPECT_EQ(getter.UseCount(), 3);
	}
	EXPECT_EQ(getter.UseCount(), 1);
}

TEST(PropertyValue, TextForms)
{
	int value = -2147483647 - 1;
	std::string out;
	IntToString(&value, out);
	EXPECT_EQ(out, "-2147483648");
	EXPECT_EQ(IntToString(0), "0");
	EXPECT_EQ(FloatToText(1.0f), "1.000000");
	EXPECT_EQ(FloatToText(-0.5f), "-0.500000");
	EXPECT_EQ(TextToInt("  +42abc"), 42);
	EXPECT_EQ(TextToInt("abc"), 0);
	EXPECT_FLOAT_EQ(TextToFloat("1,5"), 1.0f);
}
