// Vertex and index buffers over the device: sizing with slack, locks,
// copies, binding, component offsets.

#include "engine/graphics/cIndexBuffer.h"

#include "GraphicsTestSupport.h"

#include <numeric>

namespace
{
std::vector<sTexVertex> Vertices(int count, float start = 0)
{
	std::vector<sTexVertex> vertices(count);
	for (int i = 0; i < count; ++i)
		vertices[i] = { start + i, 0, 0, 0, 0 };
	return vertices;
}

std::vector<float> Xs(cVertexBuffer& buffer)
{
	std::vector<float> xs;
	if (const auto* vertices = static_cast<const sTexVertex*>(buffer.Lock(0, 0)))
	{
		for (unsigned i = 0; i < buffer.GetCount(); ++i)
			xs.push_back(vertices[i].x);
		buffer.Unlock();
	}
	return xs;
}

IDirect3DVertexBuffer9* StreamSource()
{
	IDirect3DVertexBuffer9* buffer = nullptr;
	UINT offset = 0;
	UINT stride = 0;
	cGraphics::GetDevice()->GetStreamSource(0, &buffer, &offset, &stride);
	if (buffer)
		buffer->Release();
	return buffer;
}
}

TEST(cVertexBuffer, GrowsWithSlackAndClampsTheCount)
{
	StartGraphics(64, 48);
	cVertexBuffer buffer(kFvfTex, nullptr, 0);
	EXPECT_EQ(buffer.GetStride(), 20u);
	EXPECT_EQ(buffer.GetBuffer(), nullptr);
	buffer.SetCount(100);
	EXPECT_EQ(buffer.GetCapacity(), 112u);
	IDirect3DVertexBuffer9* first = buffer.GetBuffer();
	ASSERT_NE(first, nullptr);
	D3DVERTEXBUFFER_DESC desc;
	first->GetDesc(&desc);
	EXPECT_EQ(desc.Size, 112u * 20);
	EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
	EXPECT_EQ(desc.FVF, DWORD(kFvfTex));
	buffer.SetCount(112);
	EXPECT_EQ(buffer.GetBuffer(), first);
	buffer.SetCount(113);
	EXPECT_EQ(buffer.GetCapacity(), 126u);

	buffer.SetCount(50);
	buffer.SetCapacity(10);
	EXPECT_EQ(buffer.GetCount(), 10u);

	// A new format drops the buffer.
	buffer.SetFormat(kFvfColorTex, nullptr, 0);
	EXPECT_EQ(buffer.GetBuffer(), nullptr);
	EXPECT_EQ(buffer.GetCount(), 0u);
	EXPECT_EQ(buffer.GetStride(), 24u);

	// Dynamic buffers live in the default pool and are listed device objects.
	buffer.SetDynamic(true);
	buffer.SetCount(4);
	buffer.GetBuffer()->GetDesc(&desc);
	EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
	EXPECT_EQ(desc.Usage, DWORD(D3DUSAGE_DYNAMIC));
	EXPECT_TRUE(cDirectXGraphicsObject::IsDeviceObject(&buffer));
	buffer.SetDynamic(false);
	EXPECT_FALSE(cDirectXGraphicsObject::IsDeviceObject(&buffer));
	EXPECT_EQ(buffer.GetCapacity(), 0u);
}

TEST(cVertexBuffer, LocksCopiesAndAppends)
{
	StartGraphics(64, 48);
	cVertexBuffer buffer(kFvfTex, nullptr, 0);
	buffer.SetData(Vertices(8).data(), 8);
	EXPECT_EQ(buffer.GetCount(), 8u);
	// Lock(5, 0) covers vertices 5 to 7.
	auto* tail = static_cast<sTexVertex*>(buffer.Lock(5, 0));
	ASSERT_NE(tail, nullptr);
	for (int i = 0; i < 3; ++i)
		tail[i].x = 50.0f + i;
	buffer.Unlock();
	EXPECT_EQ(Xs(buffer), (std::vector<float> { 0, 1, 2, 3, 4, 50, 51, 52 }));
	EXPECT_EQ(buffer.Lock(8, 0), nullptr);
	// A count past the end is cut to the vertices left.
	auto* last = static_cast<sTexVertex*>(buffer.Lock(7, 5));
	ASSERT_NE(last, nullptr);
	last->x = 70;
	buffer.Unlock();
	EXPECT_EQ(Xs(buffer).back(), 70.0f);
	last = static_cast<sTexVertex*>(buffer.Lock(7, 1));
	last->x = 52;
	buffer.Unlock();

	// Write overwrites the start and keeps the count.
	buffer.Write(Vertices(2, 100).data(), 2);
	EXPECT_EQ(Xs(buffer), (std::vector<float> { 100, 101, 2, 3, 4, 50, 51, 52 }));
	// Appending past the capacity keeps what was there.
	const unsigned capacity = buffer.GetCapacity();
	buffer.Append(Vertices(20, 200).data(), 20);
	EXPECT_GT(buffer.GetCapacity(), capacity);
	std::vector<float> xs = Xs(buffer);
	ASSERT_EQ(xs.size(), 28u);
	EXPECT_EQ(xs[1], 101.0f);
	EXPECT_EQ(xs[7], 52.0f);
	EXPECT_EQ(xs[27], 219.0f);
	// SetData replaces everything.
	buffer.SetData(Vertices(3, 7).data(), 3);
	EXPECT_EQ(Xs(buffer), (std::vector<float> { 7, 8, 9 }));
}

TEST(cVertexBuffer, ComponentOffsetsOfFormatsAndDeclarations)
{
	StartGraphics(64, 48);
	cVertexBuffer particles(kFvfColorTex, nullptr, 0);
	EXPECT_EQ(particles.GetStride(), 24u);
	EXPECT_EQ(particles.GetComponentOffset(D3DFVF_XYZ), 0);
	EXPECT_EQ(particles.GetComponentOffset(D3DFVF_DIFFUSE), 12);
	EXPECT_EQ(particles.GetComponentOffset(0x100), 16);
	EXPECT_EQ(particles.GetComponentOffset(0x200), 24); // past the last set
	EXPECT_EQ(particles.GetComponentOffset(D3DFVF_NORMAL), 16); // absent: the start of the sets

	cVertexBuffer model(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX2, nullptr, 0);
	EXPECT_EQ(model.GetComponentOffset(D3DFVF_NORMAL), 12);
	EXPECT_EQ(model.GetComponentOffset(0x200), 32);

	const D3DVERTEXELEMENT9 elements[] = {
		{ 0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0 },
		{ 0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0 },
		{ 0, 24, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 0 },
		D3DDECL_END(),
	};
	cVertexBuffer declared(-1, elements, 4);
	EXPECT_EQ(declared.GetFormat(), -1);
	EXPECT_EQ(declared.GetStride(), 32u);
	EXPECT_EQ(declared.GetComponentOffset(D3DFVF_NORMAL), 12);
	EXPECT_EQ(declared.GetComponentOffset(0x100), 32); // usage index 1: none
	declared.SetCount(3);
	D3DVERTEXBUFFER_DESC desc;
	declared.GetBuffer()->GetDesc(&desc);
	EXPECT_EQ(desc.FVF, 0u);
	EXPECT_EQ(desc.Size, 5u * 32);

	D3DVERTEXELEMENT9 second[4];
	std::copy(std::begin(elements), std::end(elements), second);
	second[2].UsageIndex = 1;
	cVertexBuffer secondSet(-1, second, 4);
	EXPECT_EQ(secondSet.GetComponentOffset(0x100), 24);
	// A colour element is left out of the stride.
	const D3DVERTEXELEMENT9 coloured[] = {
		{ 0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0 },
		{ 0, 12, D3DDECLTYPE_D3DCOLOR, 0, D3DDECLUSAGE_COLOR, 0 },
		D3DDECL_END(),
	};
	EXPECT_EQ(cVertexBuffer(-1, coloured, 3).GetStride(), 12u);
}

TEST(cVertexBuffer, ARecreatedBufferIsBoundAgainInTheSameFrame)
{
	cGraphics* graphics = StartGraphics(64, 48);
	cVertexBuffer buffer(kFvfTex, nullptr, 0);
	buffer.SetData(Vertices(4).data(), 4);
	graphics->BeginScene();
	buffer.Bind();
	EXPECT_EQ(StreamSource(), buffer.GetBuffer());
	DWORD fvf = 0;
	cGraphics::GetDevice()->GetFVF(&fvf);
	EXPECT_EQ(fvf, DWORD(kFvfTex));

	// Growing re-creates the buffer: binding again must reach the device.
	buffer.SetCount(500);
	buffer.Bind();
	ASSERT_NE(buffer.GetBuffer(), nullptr);
	EXPECT_EQ(StreamSource(), buffer.GetBuffer());

	// So must a buffer rebuilt after a lost device.
	buffer.SetDynamic(true);
	buffer.SetCount(8);
	buffer.Bind();
	buffer.OnLostDevice();
	buffer.OnResetDevice();
	buffer.Bind();
	EXPECT_EQ(StreamSource(), buffer.GetBuffer());
	graphics->EndScene();
}

TEST(cIndexBuffer, SizesLocksAndClampsTheCount)
{
	cGraphics* graphics = StartGraphics(64, 48);
	cIndexBuffer indices;
	indices.SetCapacity(100);
	std::vector<WORD> six(6);
	std::iota(six.begin(), six.end(), WORD(1));
	indices.SetData(six.data(), 6);
	EXPECT_EQ(indices.GetCapacity(), 6u); // exactly the data, no slack
	D3DINDEXBUFFER_DESC desc;
	indices.GetBuffer()->GetDesc(&desc);
	EXPECT_EQ(desc.Size, 12u);
	EXPECT_EQ(desc.Format, D3DFMT_INDEX16);

	// Appending past the capacity grows with slack and keeps what was there.
	indices.Append(six.data(), 6);
	EXPECT_EQ(indices.GetCount(), 12u);
	EXPECT_EQ(indices.GetCapacity(), 15u);
	const WORD* all = static_cast<const WORD*>(indices.Lock(0, 0));
	ASSERT_NE(all, nullptr);
	EXPECT_EQ(all[0], 1);
	EXPECT_EQ(all[11], 6);
	indices.Unlock();

	// A smaller capacity clamps the count, so locks stay inside the buffer.
	indices.SetCount(50);
	indices.SetCapacity(10);
	EXPECT_EQ(indices.GetCount(), 10u);
	EXPECT_EQ(indices.Lock(10, 0), nullptr);
	ASSERT_NE(indices.Lock(0, 0), nullptr);
	indices.Unlock();
	indices.GetBuffer()->GetDesc(&desc);
	EXPECT_EQ(desc.Size, 20u);

	graphics->BeginScene();
	indices.Bind();
	IDirect3DIndexBuffer9* bound = nullptr;
	cGraphics::GetDevice()->GetIndices(&bound);
	EXPECT_EQ(bound, indices.GetBuffer());
	bound->Release();
	indices.SetCapacity(40);
	indices.Bind();
	cGraphics::GetDevice()->GetIndices(&bound);
	EXPECT_EQ(bound, indices.GetBuffer());
	bound->Release();
	graphics->EndScene();
}
