#pragma once
// Writes the content into a staging folder beside its destination and,
// once everything is written, puts each top-level file and folder in place
// of the one of the same name. A run that fails leaves the previous
// content as it was, and nothing of an earlier run lingers in the new one.

#include <filesystem>
#include <set>
#include <string>

class cXmlNode;

class cContentTree
{
public:
	explicit cContentTree(const std::filesystem::path& root);
	// Removes the staging folder when Commit did not run.
	~cContentTree();
	cContentTree(const cContentTree&) = delete;
	cContentTree& operator=(const cContentTree&) = delete;

	// Creates the destination and an empty staging folder.
	bool Begin();
	// relative is a path with "/" below the destination; its folders are made.
	// Resources are found by their file names wherever they lie, so a file
	// name already written in this run, in any folder, is refused.
	bool WriteFile(const std::string& relative, const std::string& bytes);
	// The document whose top element is root, through the engine's XML writer.
	bool WriteXml(const std::string& relative, const cXmlNode& root);
	bool MakeFolder(const std::string& relative);
	// Replaces the destination's entries by the staged ones. Every failure
	// is reported on standard error and gives false.
	bool Commit();

private:
	bool Report(const std::string& what, const std::filesystem::path& path, const std::error_code& error) const;

	std::filesystem::path m_root;
	std::filesystem::path m_staging;
	std::set<std::string> m_fileNames;
};
