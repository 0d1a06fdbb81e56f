#pragma once
// The binary form of scene descriptions, as scene files and pack entries
// hold them. One description, little-endian, strings as a u32 byte count
// and the bytes (no terminator), sections back to back:
//   name, type name (the registry's name of the type id; empty for an id
//   that is not registered), model, motion (strings); the local matrix as
//   rows 0, 1, 2 and the translation row of three floats each; visible and
//   enabled (one byte each); children (u32 count, then descriptions in
//   this same form); animations (u32 count, then name string and speed
//   float each); properties (u32 count, then key and value strings each);
//   motions (u32 count, then loop byte, first, last and length floats,
//   target and name strings each); the shader requirement (i32); the
//   colour as four floats a, r, g, b.
// A scene file holds exactly one description, the root.

#include "engine/foundation/cStream.h"
#include "engine/scene/sObjectDesc.h"

void WriteObjectDesc(cStream& out, const sObjectDesc& desc);
void WriteObjectDescList(cStream& out, const std::vector<sObjectDesc>& list);
void WriteAnimationDescList(cStream& out, const std::vector<sAnimationDesc>& list);
void WritePropertyList(cStream& out, const std::vector<sObjectDesc::tProperty>& list);
void WritePropertyPair(cStream& out, const sObjectDesc::tProperty& property);
void WriteMotionDescList(cStream& out, const std::vector<sMotionDesc>& list);
void WriteMotionDesc(cStream& out, const sMotionDesc& motion);
