#pragma once
// Writes a model's fields in the model file layout that cModel::Load reads:
// the tests' fixtures and the demo content are made with it.

#include "engine/graphics/cModel.h"

class cModelWriter
{
public:
	explicit cModelWriter(cStream& stream) : m_stream(stream) {}

	// Writes every section from the model's fields (its buffers are not read).
	void Write(const cModel& model);

private:
	void Bytes(const void* source, size_t size);
	template <class T>
	void List(const std::vector<T>& list);
	void Material(const sModelMaterial& material);
	void Frame(const sModelFrame& frame);
	void Ranges(const std::map<std::string, sAnimationRange>& ranges);

	cStream& m_stream;
};
