#include "cContentTree.h"

#include "engine/foundation/cXmlWriter.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

cContentTree::cContentTree(const fs::path& root) : m_root(root), m_staging(root / ".content_staging")
{
}

cContentTree::~cContentTree()
{
	std::error_code ignored;
	fs::remove_all(m_staging, ignored);
}

bool cContentTree::Report(const std::string& what, const fs::path& path, const std::error_code& error) const
{
	fprintf(stderr, "cannot %s %s: %s\n", what.c_str(), path.string().c_str(), error.message().c_str());
	return false;
}

bool cContentTree::Begin()
{
	std::error_code error;
	fs::create_directories(m_root, error);
	if (error)
		return Report("create", m_root, error);
	fs::remove_all(m_staging, error);
	if (error)
		return Report("remove", m_staging, error);
	fs::create_directory(m_staging, error);
	m_fileNames.clear();
	return error ? Report("create", m_staging, error) : true;
}

bool cContentTree::MakeFolder(const std::string& relative)
{
	const fs::path folder = m_staging / relative;
	std::error_code error;
	fs::create_directories(folder, error);
	return error ? Report("create", folder, error) : true;
}

bool cContentTree::WriteFile(const std::string& relative, const std::string& bytes)
{
	const fs::path path = m_staging / relative;
	if (!m_fileNames.insert(path.filename().string()).second)
		return Report("write again", path, std::make_error_code(std::errc::file_exists));
	if (!MakeFolder(path.parent_path().lexically_relative(m_staging).string()))
		return false;
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(bytes.data(), std::streamsize(bytes.size()));
	out.close();
	if (!out)
		return Report("write", path, std::make_error_code(std::errc::io_error));
	return true;
}

bool cContentTree::WriteXml(const std::string& relative, const cXmlNode& root)
{
	return WriteFile(relative, FormatXmlDocument(root));
}

bool cContentTree::Commit()
{
	std::error_code error;
	std::vector<fs::path> entries;
	for (const fs::directory_entry& entry : fs::directory_iterator(m_staging, error))
		entries.push_back(entry.path().filename());
	if (error)
		return Report("list", m_staging, error);
	for (const fs::path& name : entries)
	{
		fs::remove_all(m_root / name, error);
		if (error)
			return Report("remove", m_root / name, error);
		fs::rename(m_staging / name, m_root / name, error);
		if (error)
			return Report("move into place", m_root / name, error);
	}
	fs::remove(m_staging, error);
	return error ? Report("remove", m_staging, error) : true;
}
