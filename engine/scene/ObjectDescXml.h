#pragma once
// The XML form of scene descriptions, inside a resource list: a
// "scene_resource" element whose child elements are the root's children.
// An object element's tag is its type name (an unregistered tag reads as
// "object"); its attributes "name", "shader_req" ("must_be" or
// "must_not_be"), "local" (twelve numbers, rows 0 to 3 of columns 0 to 2),
// "model", "motion" (lower-cased), "enable", "visible" ("1" or "true") and
// "color" (a r g b: alpha first) fill those fields, every other attribute
// is a property; "add_motion" and "animation" child elements are clips and
// animation entries, other child elements are child objects. Values are
// taken as they stand (no trimming).

#include "engine/foundation/cXmlNode.h"
#include "engine/scene/sObjectDesc.h"

// Appends a child description to parent, filled from the element.
void ParseObjectElement(const cXmlNode& element, sObjectDesc& parent);
// Appends the clip of an "add_motion" element.
void ParseMotionElement(const cXmlNode& element, sObjectDesc& desc);
// Reads up to four numbers in the order a, r, g, b; values missing stay 1.
void ParseColorText(const std::string& text, sColor& colour);

// The writers give the form the parsers read: the element of a
// description (appended to parent, with its clips, animations and
// children), and a whole resource list entry for a scene resource whose
// root's children are root's children.
void WriteObjectElement(const sObjectDesc& desc, cXmlNode& parent);
void WriteSceneResourceElement(const std::string& name, const sObjectDesc& root, cXmlNode& list);
