// Loading and building a scene of 5,000 objects from its binary form (the
// form pack files hold, which the shipped game reads) against its XML form
// in a resource list; both trees are compared before timing. Prints both
// medians and their ratio.

#include "engine/foundation/cXmlDocument.h"
#include "engine/foundation/cXmlWriter.h"
#include "engine/scene/ObjectDescBinary.h"
#include "engine/scene/ObjectDescXml.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cSceneResource.h"
#include "engine/scene/sObjectDesc.h"

#include "benchmarks/cSummaryReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace
{
const int kGroups = 100;
const int kPerGroup = 49;
const int kObjects = kGroups + kGroups * kPerGroup;

sObjectDesc Object(const std::string& name, int index)
{
	sObjectDesc desc;
	desc.name = name;
	desc.local.MakeTranslation(cVector3d(index * 1.25f, index * -0.5f, float(index % 7)));
	desc.colour = sColor(1, 0.5f, 0.25f, index % 3 ? 1.0f : 0.5f);
	desc.visible = index % 5 != 0;
	desc.properties = { { "sort", std::to_string(index % 10) }, { "text_id", "menu\\item\\" + name } };
	desc.animations = { { "idle", 1.5f } };
	desc.motions = { { "appear", 0, 30, 1.5f, "", index % 2 == 0 } };
	return desc;
}

sObjectDesc Scene()
{
	sObjectDesc root;
	root.name = "big";
	int index = 0;
	for (int group = 0; group < kGroups; ++group)
	{
		sObjectDesc parent = Object("group" + std::to_string(group), index++);
		for (int i = 0; i < kPerGroup; ++i)
			parent.children.push_back(Object("item" + std::to_string(i), index++));
		root.children.push_back(parent);
	}
	return root;
}

struct sForms
{
	sForms()
	{
		const sObjectDesc scene = Scene();
		cXmlNode list("resources");
		WriteSceneResourceElement("big", scene, list);
		xml = FormatXmlDocument(list);
		WriteObjectDesc(binary, scene);
	}

	std::string xml;
	cMemoryStream binary;
};

sForms& Forms()
{
	static sForms forms;
	return forms;
}

cMemoryStream* Copy(const void* data, size_t size)
{
	auto* stream = new cMemoryStream();
	stream->Write(data, uint32_t(size));
	stream->Seek(0, cStream::FromStart);
	return stream;
}

// Reads the resource list and builds the scene it declares.
std::unique_ptr<cSceneObject> BuildFromXml()
{
	std::unique_ptr<cMemoryStream> text(Copy(Forms().xml.data(), Forms().xml.size()));
	cXmlDocument document(*text);
	cSceneResource scene("big", sResourceSource());
	scene.ReadDescription(*document.GetRoot().GetFirstChild());
	auto top = std::make_unique<cSceneObject>("top", nullptr);
	top->LoadFromDesc(*scene.GetRoot());
	return top;
}

// Decodes the binary form as a first reference does and builds it.
std::unique_ptr<cSceneObject> BuildFromBinary()
{
	cMemoryStream& bytes = Forms().binary;
	cSceneResource scene("big", sResourceSource(Copy(bytes.GetData(), bytes.GetSize()), ""));
	scene.Load();
	auto top = std::make_unique<cSceneObject>("top", nullptr);
	if (scene.GetRoot())
		top->LoadFromDesc(*scene.GetRoot());
	return top;
}

int Count(cSceneObject* object)
{
	int count = 1;
	for (cSceneObject* child : object->GetChildList().GetChildren())
		count += Count(child);
	return count;
}

bool Same(cSceneObject* a, cSceneObject* b)
{
	const cTransformNode& ta = a->GetTransform();
	const cTransformNode& tb = b->GetTransform();
	cPropertyMap& pa = a->GetProperties().GetMap();
	cPropertyMap& pb = b->GetProperties().GetMap();
	if (a->GetName() != b->GetName() || a->GetTypeName() != b->GetTypeName() || a->IsVisible() != b->IsVisible()
		|| memcmp(&ta.GetLocalMatrix(), &tb.GetLocalMatrix(), sizeof(cMatrix)) != 0
		|| memcmp(&ta.GetLocalColor(), &tb.GetLocalColor(), sizeof(sColor)) != 0 || pa.size() != pb.size())
		return false;
	for (const auto& entry : pa)
		if (a->GetProperties().GetProperty(entry.first) != b->GetProperties().GetProperty(entry.first))
			return false;
	const auto& ca = a->GetChildList().GetChildren();
	const auto& cb = b->GetChildList().GetChildren();
	if (ca.size() != cb.size())
		return false;
	for (size_t i = 0; i < ca.size(); ++i)
		if (!Same(ca[i], cb[i]))
			return false;
	return true;
}

bool g_same = false;

void SceneFromBinary(benchmark::State& state)
{
	for (auto _ : state)
		benchmark::DoNotOptimize(BuildFromBinary());
	if (!g_same)
		state.SkipWithError("the two forms built different trees");
	state.counters["objects/s"] = benchmark::Counter(kObjects, benchmark::Counter::kIsIterationInvariantRate);
}

void SceneFromXml(benchmark::State& state)
{
	for (auto _ : state)
		benchmark::DoNotOptimize(BuildFromXml());
	if (!g_same)
		state.SkipWithError("the two forms built different trees");
	state.counters["objects/s"] = benchmark::Counter(kObjects, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(SceneFromBinary)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(SceneFromXml)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
}

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	Singletone<cSceneManager>::GetInstance();
	{
		std::unique_ptr<cSceneObject> binary = BuildFromBinary();
		std::unique_ptr<cSceneObject> xml = BuildFromXml();
		g_same = Count(binary.get()) == kObjects + 1 && Same(binary.get(), xml.get());
		printf("Scene of %d objects: binary form %u bytes, XML form %zu bytes; built trees %s\n", kObjects,
			Forms().binary.GetSize(), Forms().xml.size(), g_same ? "equal" : "DIFFERENT");
	}
	cSummaryReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const double binary = reporter.Median("SceneFromBinary");
	const double xml = reporter.Median("SceneFromXml");
	const double ratio = binary > 0 ? xml / binary : 0.0;
	printf("\nLoading and building %d objects (medians): binary %.2f ms, XML %.2f ms; XML takes %.2f times as long "
		   "(target: binary faster, ratio above 1: %s)\n",
		kObjects, binary * 1e3, xml * 1e3, ratio, ratio > 1 ? "ok" : "SLOWER");
	benchmark::Shutdown();
	return g_same ? 0 : 1;
}
