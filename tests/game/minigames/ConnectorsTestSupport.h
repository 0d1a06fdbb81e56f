#pragma once
// A circuit board for the "connectors" minigame written in the test: 36
// lamps on a 6 by 6 grid (node n in row n / 6 from the top, column n % 6),
// places halfway between the two lamps of their links, six wires in a tray
// beside the board, and a solver that works out from the places' links
// which places the wires must lie on to join node 0 and node 29.

#include "BoardTestSupport.h"

#include <functional>
#include <set>
#include <optional>
#include <string>
#include <vector>

namespace connectors
{
using namespace board;

struct sLink
{
	int a, b;
};

// Per kind of place, in list order: the links they carry.
const std::vector<sLink> kHPlaces = { { 12, 13 }, { 14, 15 }, { 32, 33 }, { 27, 28 } };
const std::vector<sLink> kDPlaces = { { 20, 27 }, { 5, 10 }, { 7, 14 }, { 26, 33 }, { 22, 29 } };
const std::vector<sLink> kVPlaces = { { 12, 18 }, { 1, 7 } };
const std::vector<sLink> kFixedLinkList = { { 0, 1 }, { 2, 3 }, { 4, 5 }, { 3, 8 }, { 6, 7 }, { 10, 11 }, { 7, 12 }, { 9, 14 },
	{ 10, 15 }, { 13, 18 }, { 16, 22 }, { 17, 23 }, { 19, 26 }, { 15, 20 }, { 22, 28 }, { 24, 30 }, { 25, 31 },
	{ 27, 33 }, { 31, 32 }, { 34, 35 } };

// In the minigame's wire order, with the prefix of the places each fits.
const struct
{
	const char* name;
	const char* prefix;
} kWires[] = { { "wire_00", "h_place_" }, { "wire_02", "h_place_" }, { "wire_01", "d_place_" },
	{ "wire_03", "d_place_" }, { "wire_04", "d_place_" }, { "wire_05", "v_place_" } };

constexpr sRect kBack { 180, 150, 844, 640 };
constexpr float kTrayX = 790;

inline float NodeX(int node) { return 300 + float(node % 6) * 80; }
inline float NodeY(int node) { return 580 - float(node / 6) * 80; }
inline float MidX(const sLink& link) { return (NodeX(link.a) + NodeX(link.b)) / 2; }
inline float MidY(const sLink& link) { return (NodeY(link.a) + NodeY(link.b)) / 2; }
inline float TrayY(size_t wire) { return 580 - float(wire) * 70; }

inline const std::vector<sLink>& PlacesOf(const std::string& prefix)
{
	return prefix == "h_place_" ? kHPlaces : prefix == "d_place_" ? kDPlaces : kVPlaces;
}

inline std::string Link(const sLink& link)
{
	return std::to_string(link.a) + "-" + std::to_string(link.b);
}

inline std::string ConnectorsScene()
{
	std::string scene = Placed("back", "conn_back", 0, 0, 10);
	for (int node = 0; node < 36; ++node)
		scene += Placed("lamp_" + std::to_string(node + 1), "conn_lamp", NodeX(node), NodeY(node));
	for (const char* prefix : { "h_place_", "d_place_", "v_place_" })
	{
		const std::vector<sLink>& places = PlacesOf(prefix);
		for (size_t i = 0; i < places.size(); ++i)
			scene += Placed(prefix + std::to_string(i + 1), "conn_place", MidX(places[i]), MidY(places[i]), -1,
				" link=\"" + Link(places[i]) + "\"");
	}
	for (size_t wire = 0; wire < std::size(kWires); ++wire)
		scene += Placed(kWires[wire].name, "conn_wire", kTrayX, TrayY(wire));
	scene += Placed("indicator", "conn_indicator", 512, 615);
	return scene + BorderScene();
}

inline void AddConnectorsModels(cTestResources& resources)
{
	AddColourQuad(resources, "conn_back", kBack, 0xFF202840);
	AddColourQuad(resources, "conn_lamp", Centred(24, 24), 0xFFFFFF40);
	AddColourQuad(resources, "conn_place", Centred(30, 30), 0xFF606060);
	AddColourQuad(resources, "conn_wire", Centred(36, 14), 0xFFE08020);
	AddColourQuad(resources, "conn_indicator", Centred(60, 20), 0xFF40FF40);
	AddBorderModels(resources);
}

// The nodes joined to node 0 through the fixed links and the added ones.
inline std::set<int> Reached(const std::vector<sLink>& added)
{
	std::set<int> reached { 0 };
	for (size_t before = 0; before != reached.size();)
	{
		before = reached.size();
		for (const std::vector<sLink>* links : { &added, &kFixedLinkList })
			for (const sLink& link : *links)
				if (reached.count(link.a) || reached.count(link.b))
					reached.insert({ link.a, link.b });
	}
	return reached;
}

// For each wire in order, the index of the place it lies on (none: left
// in the tray): the first choice, trying every place of each wire's kind,
// that joins the two nodes.
inline std::optional<std::vector<std::optional<size_t>>> SolveBoard()
{
	std::vector<std::optional<size_t>> choice(std::size(kWires));
	std::function<bool(size_t)> assign = [&](size_t wire) {
		if (wire == choice.size())
		{
			std::vector<sLink> added;
			for (size_t w = 0; w < choice.size(); ++w)
				if (choice[w])
					added.push_back(PlacesOf(kWires[w].prefix)[*choice[w]]);
			return Reached(added).count(29) > 0;
		}
		const std::vector<sLink>& places = PlacesOf(kWires[wire].prefix);
		for (size_t place = 0; place < places.size(); ++place)
		{
			bool used = false;
			for (size_t w = 0; w < wire; ++w)
				used = used || (choice[w] == place && &PlacesOf(kWires[w].prefix) == &places);
			if (used)
				continue;
			choice[wire] = place;
			if (assign(wire + 1))
				return true;
		}
		choice[wire].reset();
		return assign(wire + 1);
	};
	if (!assign(0))
		return std::nullopt;
	return choice;
}
}
