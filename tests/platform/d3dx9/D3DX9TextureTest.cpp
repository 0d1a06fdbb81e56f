// Textures created from image files in memory and saved as DDS, on a real
// device: each image format read back through a lock, the DXT3 conversion,
// refusals, the DDS round trip, and a texture made on a loader thread.

#include "platform/d3dx9/D3DX9Texture.h"

#include "../d3d9/cD3D9TestDevice.h"
#include "ImageFixtures.h"

#include <png.h>

#include <string>
#include <thread>

namespace
{
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_RGB = 0x40;

// The 3 by 2 image every format stores, as ARGB, top row first.
const D3DCOLOR kImage[6] = { 0xFF1E140A, 0xFF3C3228, 0xFF5A5046, 0xFF23190F, 0xFF41372D, 0xFF5F554B };

tBytes BgrRows(bool bottomUp, int bytesPerPixel)
{
	tBytes out;
	for (int row = 0; row < 2; ++row)
		for (int x = 0; x < 3; ++x)
		{
			const D3DCOLOR c = kImage[(bottomUp ? 1 - row : row) * 3 + x];
			for (int b = 0; b < bytesPerPixel; ++b)
				out.push_back(uint8_t(c >> (8 * b)));
		}
	return out;
}

tBytes RgbRows()
{
	tBytes out;
	for (D3DCOLOR c : kImage)
		out.insert(out.end(), { uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c) });
	return out;
}

struct sFile
{
	const char* name;
	tBytes bytes;
	int tolerance; // JPEG is lossy
};

std::vector<sFile> ImageFiles()
{
	const tBytes bgr = BgrRows(false, 3);
	return {
		{ "PNG", WritePng({ 3, 2, PNG_COLOR_TYPE_RGB, 8, RgbRows() }), 0 },
		{ "JPEG", WriteJpeg(3, 2, 3, RgbRows(), false), 12 },
		{ "BMP", WriteBmp({ 40, 3, 2, 24, 0, {}, {}, { tBytes(bgr.begin() + 9, bgr.end()), tBytes(bgr.begin(), bgr.begin() + 9) } }), 0 },
		{ "TGA", WriteTga({ 2, 24, 0x20, 3, 2, 0, 0, {}, bgr }), 0 },
		{ "DDS", WriteDds({ 3, 2, DDPF_RGB | DDPF_ALPHAPIXELS, 0, 32, { 0xFF0000, 0xFF00, 0xFF, 0xFF000000 }, BgrRows(false, 4) }), 0 },
	};
}

HRESULT CreateTexture(IDirect3DDevice9* device, const tBytes& file, D3DFORMAT format, D3DPOOL pool,
	IDirect3DTexture9** texture, D3DXIMAGE_INFO* info = nullptr)
{
	return D3DXCreateTextureFromFileInMemoryEx(device, file.data(), UINT(file.size()), D3DX_DEFAULT, D3DX_DEFAULT,
		D3DX_DEFAULT, 0, format, pool, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, info, nullptr, texture);
}

std::vector<D3DCOLOR> Texels(IDirect3DTexture9* texture)
{
	D3DSURFACE_DESC desc;
	texture->GetLevelDesc(0, &desc);
	std::vector<D3DCOLOR> texels(size_t(desc.Width) * desc.Height);
	D3DLOCKED_RECT locked;
	EXPECT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
	for (UINT row = 0; row < desc.Height; ++row)
		memcpy(&texels[size_t(row) * desc.Width], static_cast<BYTE*>(locked.pBits) + size_t(row) * locked.Pitch,
			desc.Width * 4);
	texture->UnlockRect(0);
	return texels;
}
}

TEST(D3DXTexture, EachImageFormatBecomesAPaddedTexture)
{
	cD3D9TestDevice device;
	for (const sFile& file : ImageFiles())
	{
		SCOPED_TRACE(file.name);
		cReleaser<IDirect3DTexture9> texture;
		D3DXIMAGE_INFO info {};
		ASSERT_EQ(CreateTexture(device.device, file.bytes, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.Out(), &info),
			D3D_OK);
		EXPECT_EQ(info.Width, 3u);
		EXPECT_EQ(info.Height, 2u);
		D3DSURFACE_DESC desc;
		texture->GetLevelDesc(0, &desc);
		EXPECT_EQ(desc.Width, 4u);
		EXPECT_EQ(desc.Height, 2u);
		EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
		EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
		std::vector<D3DCOLOR> texels = Texels(texture.Get());
		for (int i = 0; i < 6; ++i)
			EXPECT_TRUE(ColorNear(texels[(i / 3) * 4 + i % 3], kImage[i], file.tolerance)) << "texel " << i;
		EXPECT_EQ(texels[3], 0u); // transparent black padding
		EXPECT_EQ(texels[7], 0u);
	}
}

TEST(D3DXTexture, Dxt3TexturesHoldTheCompressedBlocks)
{
	cD3D9TestDevice device;
	const tBytes file = WritePng({ 3, 2, PNG_COLOR_TYPE_RGB, 8, RgbRows() });
	sD3DXDecodedImage decoded;
	ASSERT_EQ(D3DXDecodeImageInMemory(file.data(), UINT(file.size()), D3DFMT_DXT3, decoded, nullptr), S_OK);
	cReleaser<IDirect3DTexture9> texture;
	ASSERT_EQ(CreateTexture(device.device, file, D3DFMT_DXT3, D3DPOOL_SYSTEMMEM, texture.Out()), D3D_OK);
	D3DSURFACE_DESC desc;
	texture->GetLevelDesc(0, &desc);
	EXPECT_EQ(desc.Format, D3DFMT_DXT3);
	EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);
	D3DLOCKED_RECT locked;
	ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
	EXPECT_EQ(memcmp(locked.pBits, decoded.bits.data(), 16), 0); // one 4 by 4 block
	texture->UnlockRect(0);
}

TEST(D3DXTexture, RefusesWhatItCannotLoad)
{
	cD3D9TestDevice device;
	const tBytes png = WritePng({ 3, 2, PNG_COLOR_TYPE_RGB, 8, RgbRows() });
	IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
	// A PVR file is no image for this loader: the engine reads those itself.
	tBytes pvr(52 + 64, 0);
	pvr[0] = 52;
	pvr[4] = pvr[8] = 4;
	pvr[16] = 18;
	EXPECT_EQ(CreateTexture(device.device, pvr, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DXERR_INVALIDDATA);
	EXPECT_EQ(texture, nullptr);
	EXPECT_EQ(CreateTexture(device.device, tBytes(png.begin(), png.begin() + 40), D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
		&texture), D3DXERR_INVALIDDATA);
	EXPECT_EQ(CreateTexture(device.device, png, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture), E_INVALIDARG);
	EXPECT_EQ(CreateTexture(nullptr, png, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
	// Scaling, explicit sizes and colour keys are not offered.
	EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device.device, png.data(), UINT(png.size()), 64, 64, D3DX_DEFAULT, 0,
		D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr, &texture),
		D3DERR_INVALIDCALL);
	EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device.device, png.data(), UINT(png.size()), D3DX_DEFAULT,
		D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE,
		0xFFFF00FF, nullptr, nullptr, &texture), D3DERR_INVALIDCALL);
	EXPECT_EQ(texture, nullptr);
}

TEST(D3DXTexture, SavesDdsThatLoadsBackInEitherFormat)
{
	cD3D9TestDevice device;
	std::vector<D3DCOLOR> texels(8 * 4);
	for (size_t i = 0; i < texels.size(); ++i)
		texels[i] = D3DCOLOR_ARGB(i < 16 ? 0xFF : 0x00, i * 8, 255 - i * 8, 0x40);
	cReleaser<IDirect3DTexture9> source(device.MakeTexture(8, 4, texels, D3DPOOL_SYSTEMMEM));
	cReleaser<ID3DXBuffer> dds;
	ASSERT_EQ(D3DXSaveTextureToFileInMemory(dds.Out(), D3DXIFF_DDS, source.Get(), nullptr), D3D_OK);
	ASSERT_GT(dds->GetBufferSize(), 128u);
	EXPECT_EQ(memcmp(dds->GetBufferPointer(), "DDS ", 4), 0);

	const tBytes file(static_cast<uint8_t*>(dds->GetBufferPointer()),
		static_cast<uint8_t*>(dds->GetBufferPointer()) + dds->GetBufferSize());
	cReleaser<IDirect3DTexture9> same;
	ASSERT_EQ(CreateTexture(device.device, file, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, same.Out()), D3D_OK);
	EXPECT_EQ(Texels(same.Get()), texels);

	cReleaser<IDirect3DTexture9> compressed;
	ASSERT_EQ(CreateTexture(device.device, file, D3DFMT_DXT3, D3DPOOL_MANAGED, compressed.Out()), D3D_OK);
	D3DSURFACE_DESC desc;
	compressed->GetLevelDesc(0, &desc);
	EXPECT_EQ(desc.Format, D3DFMT_DXT3);
	D3DLOCKED_RECT locked;
	ASSERT_EQ(compressed->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
	const BYTE* blocks = static_cast<const BYTE*>(locked.pBits);
	EXPECT_EQ(blocks[0], 0xFF); // explicit alpha of the top rows
	EXPECT_EQ(blocks[4], 0x00); // and of the transparent ones
	compressed->UnlockRect(0);

	// Only DDS, and only from A8R8G8B8.
	ID3DXBuffer* none = nullptr;
	EXPECT_EQ(D3DXSaveTextureToFileInMemory(&none, D3DXIFF_PNG, source.Get(), nullptr), D3DERR_INVALIDCALL);
	EXPECT_EQ(D3DXSaveTextureToFileInMemory(&none, D3DXIFF_DDS, compressed.Get(), nullptr), D3DERR_INVALIDCALL);
	EXPECT_EQ(none, nullptr);
	cReleaser<ID3DXBuffer> blank;
	ASSERT_EQ(D3DXCreateBuffer(10, blank.Out()), S_OK);
	EXPECT_EQ(blank->GetBufferSize(), 10u);
	EXPECT_EQ(static_cast<BYTE*>(blank->GetBufferPointer())[9], 0);
}

TEST(D3DXTexture, ALoaderThreadMakesATextureTheDrawingThreadShows)
{
	cD3D9TestDevice device(8, 8);
	const tBytes png = WritePng({ 1, 1, PNG_COLOR_TYPE_RGB, 8, { 0x20, 0x80, 0xC0 } });
	IDirect3DTexture9* texture = nullptr;
	std::thread loader([&] { CreateTexture(device.device, png, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture); });
	loader.join();
	ASSERT_NE(texture, nullptr);
	cReleaser<IDirect3DTexture9> owned(texture);
	device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
	device->BeginScene();
	device.SetFrameStates();
	device->SetRenderState(D3DRS_ZENABLE, FALSE);
	device->SetTexture(0, texture);
	// The image is the top-left texel of a 1 by 1 texture: sample its centre.
	std::vector<sVertexTex> quad = QuadVertices(-0.5f, -0.5f, 7.5f, 7.5f);
	for (sVertexTex& v : quad)
		v.u = v.v = 0.5f;
	ASSERT_EQ(device.DrawQuads(quad, kFvfTex), D3D_OK);
	device->EndScene();
	EXPECT_TRUE(ColorNear(device.Read().At(4, 4), 0xFF2080C0));
}
