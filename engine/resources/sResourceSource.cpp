#include "engine/resources/sResourceSource.h"

#include "engine/foundation/cFileStream.h"
#include "engine/resources/ResourceUtils.h"
#include "engine/resources/cArchiver.h"

#include <memory>

sResourceSource::sResourceSource(const std::string& filePath) : path(filePath)
{
}

sResourceSource::sResourceSource(cStream* entryStream, const std::string& archiverMethod)
	: stream(entryStream), method(archiverMethod)
{
}

bool sResourceSource::Read(cMemoryStream& out)
{
	if (stream && !method.empty())
	{
		out.SetSize(0);
		Singletone<cArchiver>::GetInstance()->Decompress(*stream, out, method);
		if (out.GetSize() == 0)
			return false;
		out.Seek(0, cStream::FromStart);
		return true;
	}
	if (stream)
	{
		out.SetSize(0);
		out.CopyFrom(*stream, cStream::WholeStream);
		out.Seek(0, cStream::FromStart);
		return true;
	}
	if (path.empty())
		return false;
	std::unique_ptr<cFileStream> file(OpenForReading(path));
	// The failed open has been logged by the file stream.
	if (!file->IsOpen())
		return false;
	out.LoadFrom(*file);
	out.Seek(0, cStream::FromStart);
	return true;
}

uint32_t sResourceSource::GetSize()
{
	if (stream)
		return stream->GetSize();
	if (path.empty())
		return 0;
	return std::unique_ptr<cFileStream>(OpenForReading(path))->GetSize();
}

cStream* sResourceSource::OpenStream()
{
	if (!stream && !path.empty())
		stream.Reset(OpenForReading(path));
	return stream.Get();
}
