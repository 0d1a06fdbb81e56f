#pragma once
// Path translation between the engine's Windows-style paths and the host
// file system. The engine writes "\" (and sometimes "/") and expects names
// to match whatever their case, as on a case-insensitive file system.

#include <string>

// The host path for an engine path: separators become "/", and every
// component that does not exist with its exact case is replaced by the
// first entry of its folder (in case-insensitive order) that matches it
// ignoring case. Components with no match are kept as written, so the
// result also serves for creating new files and folders.
std::string ToHostPath(const std::string& path);

// The engine's form of a host path: "/" becomes "\".
std::string ToEnginePath(const std::string& hostPath);

// Case-insensitive byte comparison (ASCII letters only), the order the
// system reports folder entries in. Ties fall back to exact byte order.
bool NameLessIgnoringCase(const std::string& a, const std::string& b);
bool NameEqualsIgnoringCase(const std::string& a, const std::string& b);
