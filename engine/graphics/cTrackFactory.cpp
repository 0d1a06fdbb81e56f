#include "engine/graphics/cTrackFactory.h"

#include "engine/graphics/cTrack.h"

#include <utility>

namespace
{
template <int Kind, int Functor>
cTrackBase* CreateTrackOf(bool alternative)
{
	return new TrackOf<Kind, Functor>(alternative);
}

template <int Functor, int... Kinds>
void RegisterKinds(std::map<int, std::map<int, cTrackFactory::TrackCreator>>& creators,
	std::integer_sequence<int, Kinds...>)
{
	((creators[Kinds][Functor] = &CreateTrackOf<Kinds, Functor>), ...);
}

template <int... Functors>
void RegisterAll(std::map<int, std::map<int, cTrackFactory::TrackCreator>>& creators,
	std::integer_sequence<int, Functors...>)
{
	(RegisterKinds<Functors>(creators, std::make_integer_sequence<int, kTrackKindCount>()), ...);
}
}

cTrackFactory::cTrackFactory()
{
	RegisterAll(m_creators, std::make_integer_sequence<int, kTrackFunctorCount>());
}

cTrackBase* cTrackFactory::CreateTrack(int kind, int functor, bool alternative) const
{
	auto byKind = m_creators.find(kind);
	if (byKind == m_creators.end())
		return nullptr;
	auto byFunctor = byKind->second.find(functor);
	if (byFunctor == byKind->second.end())
		return nullptr;
	return byFunctor->second(alternative);
}
