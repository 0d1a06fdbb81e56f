// Textures on the device: images through the D3DX loader, PVR files through
// the engine's reader, the "aimg" composition, stages, render targets.

#include "engine/graphics/PvrtcDecoder.h"

#include "GraphicsTestSupport.h"
#include "TextureFiles.h"
#include "UnlockableTextureDevice.h"

#include <memory>

namespace
{
constexpr uint32_t kTwiddled = 0x200;

std::unique_ptr<cTexture> Load(const tBytes& file, int formatCode = 0, bool managed = true)
{
	cMemoryStream stream;
	LoadStream(stream, file);
	return std::make_unique<cTexture>(stream, formatCode, managed);
}

std::unique_ptr<cTexture> LoadAlpha(const tBytes& file)
{
	cMemoryStream stream;
	LoadStream(stream, file);
	return std::unique_ptr<cTexture>(cTexture::CreateAlphaTexture(stream));
}

// Texel (x, y) of level 0 as an A8R8G8B8 value, through the texture's own code.
DWORD Texel(cTexture& texture, UINT x, UINT y)
{
	cTexture::sLockedLevel level = texture.LockLevel0();
	EXPECT_NE(level.bits, nullptr);
	if (!level.bits)
		return 0;
	const int bytes = cTexture::BytesPerPixel(texture.GetFormatCode());
	DWORD value = cTexture::ReadPixel(level.bits + size_t(y) * level.pitch + size_t(x) * bytes, texture.GetFormatCode());
	texture.UnlockLevel0();
	return value;
}

// The alpha of texel (x, y) of a DXT3 texture: 4 bits per texel after the block's start.
int Dxt3Alpha(cTexture& texture, UINT x, UINT y)
{
	cTexture::sLockedLevel level = texture.LockLevel0();
	const BYTE* block = level.bits + size_t(y / 4) * level.pitch + size_t(x / 4) * 16;
	const int index = int(y % 4) * 4 + int(x % 4);
	const int nibble = (block[index / 2] >> ((index % 2) * 4)) & 15;
	texture.UnlockLevel0();
	return nibble * 17;
}

IDirect3DBaseTexture9* StageTexture(DWORD stage)
{
	IDirect3DBaseTexture9* texture = nullptr;
	cGraphics::GetDevice()->GetTexture(stage, &texture);
	if (texture)
		texture->Release();
	return texture;
}

DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state)
{
	DWORD value = 0;
	cGraphics::GetDevice()->GetTextureStageState(stage, state, &value);
	return value;
}
}

TEST(cTexture, ImagesArePaddedToPowersOfTwo)
{
	StartGraphics(64, 48);
	std::vector<uint32_t> pixels(100 * 50, 0x80FF8040);
	pixels[0] = 0xFF102030;
	std::unique_ptr<cTexture> texture = Load(DdsFile(100, 50, pixels));
	ASSERT_FALSE(texture->IsEmpty());
	EXPECT_EQ(texture->GetDescription().Width, 128u);
	EXPECT_EQ(texture->GetDescription().Height, 64u);
	EXPECT_EQ(texture->GetDescription().Pool, D3DPOOL_MANAGED);
	EXPECT_EQ(texture->GetWidth(), 100);
	EXPECT_EQ(texture->GetHeight(), 50);
	EXPECT_EQ(texture->GetMatrix()._11, 0.78125f);
	EXPECT_EQ(texture->GetMatrix()._22, 0.78125f);
	EXPECT_EQ(texture->GetMatrix()._33, 1.0f);
	EXPECT_EQ(texture->GetFormatCode(), cTexture::FORMAT_A8R8G8B8);
	EXPECT_TRUE(texture->HasAlpha());
	EXPECT_EQ(Texel(*texture, 0, 0), 0xFF102030u);
	EXPECT_EQ(Texel(*texture, 99, 49), 0x80FF8040u);
	EXPECT_EQ(Texel(*texture, 100, 49), 0u); // transparent padding
	EXPECT_EQ(Texel(*texture, 0, 50), 0u);

	// System memory on request.
	EXPECT_EQ(Load(DdsFile(4, 4, pixels), 0, false)->GetDescription().Pool, D3DPOOL_SYSTEMMEM);
}

TEST(cTexture, LowQualityMakesDxt3Textures)
{
	cGraphics* graphics = StartGraphics(64, 48);
	graphics->SetTextureQuality(false);
	std::unique_ptr<cTexture> texture = Load(DdsFile(8, 8, std::vector<uint32_t>(64, 0xFFFFFFFF)));
	ASSERT_FALSE(texture->IsEmpty());
	EXPECT_EQ(texture->GetFormatCode(), cTexture::FORMAT_DXT3);
	EXPECT_EQ(texture->GetDescription().Format, D3DFMT_DXT3);
	EXPECT_FALSE(texture->HasAlpha());
	// An explicit code wins over the default.
	EXPECT_EQ(Load(DdsFile(8, 8, std::vector<uint32_t>(64)), cTexture::FORMAT_A8R8G8B8)->GetFormatCode(),
		cTexture::FORMAT_A8R8G8B8);
}

TEST(cTexture, UnreadableDataLeavesAnEmptyTexture)
{
	StartGraphics(64, 48);
	for (const tBytes& file : { tBytes { 'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e' }, tBytes(),
			 PvrFile({ 52, 65536, 65536, 25 | kTwiddled }, NoiseBytes(1024 - 52)) })
	{
		testing::internal::CaptureStderr();
		std::unique_ptr<cTexture> texture = Load(file);
		EXPECT_NE(testing::internal::GetCapturedStderr().find("Loading image failed: 8876"), std::string::npos);
		EXPECT_TRUE(texture->IsEmpty());
		EXPECT_EQ(texture->GetFormatCode(), 0);
		EXPECT_EQ(texture->GetWidth(), 0);
		EXPECT_EQ(texture->GetPool(), D3DPOOL(0x7FFFFFFF));
		texture->Bind(0); // binds no texture
		EXPECT_EQ(StageTexture(0), nullptr);
	}
}

TEST(cTexture, PvrPlainPixelTypesBecomeDirect3DPixels)
{
	StartGraphics(64, 48);
	struct sCase
	{
		uint32_t type;
		tBytes pixel; // as the file stores it
		int code;
		DWORD expected;
	};
	const sCase cases[] = {
		{ 16, { 0x42, 0xF8 }, 6, 0x20F08040 }, // R4 G4 B4 A4
		{ 17, { 0x21, 0xF8 }, 5, 0xFFF80080 }, // R5 G5 B5 A1
		{ 18, { 10, 20, 30, 40 }, 2, 0x280A141E }, // R, G, B, A bytes
		{ 19, { 0x00, 0xF8 }, 4, 0xFFF80000 }, // R5 G6 B5
		{ 21, { 10, 20, 30 }, 1, 0xFF0A141E }, // R, G, B bytes
	};
	for (const sCase& c : cases)
	{
		tBytes data;
		for (int i = 0; i < 4; ++i)
			data.insert(data.end(), c.pixel.begin(), c.pixel.end());
		std::unique_ptr<cTexture> texture = Load(PvrFile({ 52, 2, 2, c.type }, data));
		ASSERT_FALSE(texture->IsEmpty()) << c.type;
		EXPECT_EQ(texture->GetFormatCode(), c.code) << c.type;
		EXPECT_EQ(texture->GetDescription().Format, cTexture::CodeToFormat(c.code));
		EXPECT_EQ(Texel(*texture, 1, 1), c.expected) << c.type;
		EXPECT_EQ(texture->GetMatrix()._11, 1.0f);
		EXPECT_EQ(texture->HasAlpha(), c.code == 2 || c.code == 5 || c.code == 6);
	}
}

TEST(cTexture, PvrtcFilesAreDecodedToFullColour)
{
	StartGraphics(64, 48);
	const tBytes blocks = NoiseBytes(32);
	std::vector<uint8_t> rgba(8 * 8 * 4);
	ASSERT_TRUE(DecompressPvrtc(blocks.data(), blocks.size(), false, 8, 8, true, rgba.data()));
	std::unique_ptr<cTexture> texture = Load(PvrFile({ 52, 8, 8, 25 | kTwiddled }, blocks));
	ASSERT_FALSE(texture->IsEmpty());
	EXPECT_EQ(texture->GetFormatCode(), cTexture::FORMAT_A8R8G8B8);
	EXPECT_EQ(texture->GetDescription().Width, 8u);
	for (UINT y = 0; y < 8; ++y)
		for (UINT x = 0; x < 8; ++x)
		{
			const uint8_t* p = &rgba[(y * 8 + x) * 4];
			EXPECT_EQ(Texel(*texture, x, y), D3DCOLOR_ARGB(p[3], p[0], p[1], p[2])) << x << ", " << y;
		}
}

TEST(cTexture, FailedLockOfPvrPixelsLeavesAnEmptyTexture)
{
	// No graphics singleton: the device is a stand-in whose textures refuse locks.
	cUnlockableTextureDevice device;
	GraphicsDeviceState().device = &device;
	testing::internal::CaptureStderr();
	std::unique_ptr<cTexture> texture = Load(PvrFile({ 52, 2, 2, 18 }, tBytes(16, 7)));
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Create texture failed"), std::string::npos);
	EXPECT_TRUE(texture->IsEmpty());
	EXPECT_EQ(device.unlockable.refs, 0u); // released
	texture.reset();
	GraphicsDeviceState().device = nullptr;
}

TEST(cTexture, AlphaImageTakesTheMaskGreyLevel)
{
	StartGraphics(64, 48);
	const tBytes colour = DdsFile(4, 4, std::vector<uint32_t>(16, 0xFF112233));
	std::vector<uint32_t> maskPixels(16, 0xFF000000);
	maskPixels[0] = D3DCOLOR_ARGB(255, 90, 60, 30); // B 30, G 60, R 90: grey 60
	maskPixels[5] = 0xFFFFFFFF;
	std::unique_ptr<cTexture> texture = LoadAlpha(AlphaImageFile(colour, DdsFile(4, 4, maskPixels)));
	ASSERT_TRUE(texture);
	ASSERT_FALSE(texture->IsEmpty());
	EXPECT_EQ(texture->GetFormatCode(), cTexture::FORMAT_A8R8G8B8);
	EXPECT_EQ(Texel(*texture, 0, 0), 0x3C112233u);
	EXPECT_EQ(Texel(*texture, 1, 1), 0xFF112233u);
	EXPECT_EQ(Texel(*texture, 2, 2), 0x00112233u);

	// A mask that cannot be read leaves the colour image's own alpha.
	std::unique_ptr<cTexture> unmasked = LoadAlpha(AlphaImageFile(colour, tBytes { 1, 2, 3 }));
	ASSERT_TRUE(unmasked);
	EXPECT_EQ(Texel(*unmasked, 0, 0), 0xFF112233u);
}

TEST(cTexture, LowQualityAlphaImageBecomesDxt3)
{
	cGraphics* graphics = StartGraphics(64, 48);
	graphics->SetTextureQuality(false);
	std::vector<uint32_t> maskPixels(6 * 5, 0xFF000000);
	maskPixels[0] = D3DCOLOR_ARGB(255, 90, 60, 30);
	maskPixels[7] = 0xFFFFFFFF;
	std::unique_ptr<cTexture> texture = LoadAlpha(AlphaImageFile(DdsFile(6, 5, std::vector<uint32_t>(30, 0xFF808080)),
		DdsFile(6, 5, maskPixels)));
	ASSERT_TRUE(texture);
	EXPECT_EQ(texture->GetFormatCode(), cTexture::FORMAT_DXT3);
	EXPECT_EQ(texture->GetDescription().Pool, D3DPOOL_MANAGED);
	EXPECT_EQ(texture->GetWidth(), 6);
	EXPECT_EQ(texture->GetHeight(), 5);
	EXPECT_EQ(texture->GetDescription().Width, 8u);
	EXPECT_EQ(texture->GetMatrix()._11, 0.75f);
	EXPECT_NEAR(Dxt3Alpha(*texture, 0, 0), 60, 9);
	EXPECT_EQ(Dxt3Alpha(*texture, 1, 1), 255);
	EXPECT_EQ(Dxt3Alpha(*texture, 2, 2), 0);
}

TEST(cTexture, AlphaCompositionSkipsWhatItCannotCopy)
{
	cGraphics* graphics = StartGraphics(64, 48);
	graphics->SetTextureQuality(true); // an earlier test may have lowered it
	const tBytes mask = DdsFile(2, 2, std::vector<uint32_t>(4, 0xFF404040));
	// The colour image is unreadable: an empty texture, or none when it goes through DDS.
	testing::internal::CaptureStderr();
	std::unique_ptr<cTexture> broken = LoadAlpha(AlphaImageFile(tBytes { 'x', 'y', 'z' }, mask));
	testing::internal::GetCapturedStderr();
	ASSERT_TRUE(broken);
	EXPECT_TRUE(broken->IsEmpty());
	// A 16-bit colour image keeps its pixels: only A8R8G8B8 takes the mask.
	std::unique_ptr<cTexture> rgb565 = LoadAlpha(AlphaImageFile(PvrFile({ 52, 2, 2, 19 }, tBytes(8, 0xFF)), mask));
	ASSERT_TRUE(rgb565);
	EXPECT_EQ(rgb565->GetFormatCode(), cTexture::FORMAT_R5G6B5);
	EXPECT_EQ(Texel(*rgb565, 1, 1), 0xFFF8FCF8u);
	// No data at all.
	cMemoryStream empty;
	EXPECT_EQ(cTexture::CreateAlphaTexture(empty), nullptr);

	graphics->SetTextureQuality(false);
	testing::internal::CaptureStderr();
	EXPECT_FALSE(LoadAlpha(AlphaImageFile(tBytes { 'x', 'y', 'z' }, mask)));
	testing::internal::GetCapturedStderr();

	// Directly: missing textures and a compressed destination are left alone.
	std::unique_ptr<cTexture> dxt3 = Load(DdsFile(4, 4, std::vector<uint32_t>(16, 0xFFFFFFFF)));
	std::unique_ptr<cTexture> grey = Load(mask, cTexture::FORMAT_A8R8G8B8);
	D3DXIMAGE_INFO info { 4, 4, 1, 1, D3DFMT_A8R8G8B8, D3DXIFF_DDS };
	cTexture::CopyLuminanceToAlpha(nullptr, grey->GetTexture(), info, info);
	cTexture::CopyLuminanceToAlpha(grey->GetTexture(), nullptr, info, info);
	cTexture::CopyLuminanceToAlpha(dxt3->GetTexture(), grey->GetTexture(), info, info);
	EXPECT_EQ(Dxt3Alpha(*dxt3, 0, 0), 255);
}

TEST(cTexture, BindsStagesAndClearsThemWhenDestroyed)
{
	cGraphics* graphics = StartGraphics(64, 48);
	std::unique_ptr<cTexture> texture = Load(DdsFile(3, 3, std::vector<uint32_t>(9, 0xFFFFFFFF)));
	graphics->BeginScene();
	texture->GetMatrix()._31 = 0.25f;
	texture->Bind(0);
	texture->Bind(2);
	EXPECT_EQ(StageTexture(0), texture->GetTexture());
	EXPECT_EQ(StageTexture(2), texture->GetTexture());
	EXPECT_EQ(StageState(2, D3DTSS_COLOROP), DWORD(D3DTOP_SELECTARG1));
	EXPECT_EQ(StageState(2, D3DTSS_ALPHAOP), DWORD(D3DTOP_MODULATE));
	EXPECT_TRUE(GraphicsDeviceState().stageBound[2]);
	D3DMATRIX matrix;
	cGraphics::GetDevice()->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + 2), &matrix);
	EXPECT_EQ(matrix._11, 0.75f);
	EXPECT_EQ(matrix._31, 0.25f);

	cTexture::Unbind(0); // stage 0 is never unbound
	EXPECT_EQ(StageTexture(0), texture->GetTexture());
	cTexture::Unbind(3); // nothing bound there this frame
	cTexture::Unbind(2);
	EXPECT_EQ(StageTexture(2), nullptr);
	EXPECT_EQ(StageState(2, D3DTSS_COLOROP), DWORD(D3DTOP_DISABLE));

	// Destroying any texture clears every stage.
	texture->Bind(1);
	std::unique_ptr<cTexture> other = Load(DdsFile(1, 1, { 0xFF000000 }));
	other.reset();
	EXPECT_EQ(StageTexture(0), nullptr);
	EXPECT_EQ(StageTexture(1), nullptr);
	EXPECT_FALSE(GraphicsDeviceState().stageBound[1]);
	graphics->EndScene();
}

TEST(cTexture, RenderTargetsFillAndShareTheirTexture)
{
	StartGraphics(96, 64);
	std::unique_ptr<cTexture> target(cTexture::CreateRenderTarget());
	ASSERT_FALSE(target->IsEmpty());
	EXPECT_TRUE(target->IsRenderTarget());
	EXPECT_EQ(target->GetDescription().Width, 96u);
	EXPECT_EQ(target->GetDescription().Height, 64u);
	EXPECT_EQ(target->GetDescription().Usage, DWORD(D3DUSAGE_RENDERTARGET));
	EXPECT_TRUE(cDirectXGraphicsObject::IsDeviceObject(target.get()));
	target->Fill(0x80402010);
	EXPECT_EQ(ReadTexture(*target).At(95, 63), 0x80402010u);

	cTexture copy;
	copy.CopyFrom(*target);
	EXPECT_EQ(copy.GetTexture(), target->GetTexture());
	EXPECT_FALSE(cDirectXGraphicsObject::IsDeviceObject(&copy));
	target.reset(); // the copy keeps the device texture alive
	EXPECT_EQ(ReadTexture(copy).At(0, 0), 0x80402010u);

	// A blank texture that cannot be made stays empty.
	testing::internal::CaptureStderr();
	cTexture huge(1 << 20, 4, cTexture::FORMAT_A8R8G8B8, D3DPOOL_MANAGED, false);
	EXPECT_NE(testing::internal::GetCapturedStderr().find("Create texture failed"), std::string::npos);
	EXPECT_TRUE(huge.IsEmpty());
	EXPECT_EQ(huge.GetWidth(), 0);
}

TEST(cTexture, PixelCodecsUseTheDirect3DLayouts)
{
	auto read16 = [](WORD value, int code) {
		const BYTE bytes[2] = { BYTE(value), BYTE(value >> 8) };
		return cTexture::ReadPixel(bytes, code);
	};
	EXPECT_EQ(read16(0x0F00, cTexture::FORMAT_A4R4G4B4), 0x00F00000u);
	EXPECT_EQ(read16(0x000F, cTexture::FORMAT_A4R4G4B4), 0x000000F0u);
	EXPECT_EQ(read16(0xF000, cTexture::FORMAT_A4R4G4B4), 0xF0000000u);
	EXPECT_EQ(read16(0xF800, cTexture::FORMAT_R5G6B5), 0xFFF80000u);
	EXPECT_EQ(read16(0x7C00, cTexture::FORMAT_A1R5G5B5), 0x00F80000u);
	EXPECT_EQ(read16(0x8000, cTexture::FORMAT_A1R5G5B5), 0xFF000000u);
	const BYTE rgb[3] = { 1, 2, 3 };
	EXPECT_EQ(cTexture::ReadPixel(rgb, cTexture::FORMAT_R8G8B8), 0xFF030201u);
	const BYTE none[4] = { 9, 9, 9, 9 };
	EXPECT_EQ(cTexture::ReadPixel(none, cTexture::FORMAT_DXT3), 0u);

	// Writing keeps the top bits of each channel; reading widens them again.
	for (int code : { 1, 2, 4, 5, 6 })
	{
		BYTE bytes[4] = {};
		cTexture::WritePixel(bytes, code, 0xFFF8FCF8);
		const DWORD back = cTexture::ReadPixel(bytes, code);
		EXPECT_EQ(back & 0x00F0F0F0, 0x00F0F0F0u) << code;
	}
	BYTE untouched[4] = { 5, 5, 5, 5 };
	cTexture::WritePixel(untouched, cTexture::FORMAT_X8R8G8B8, 0);
	EXPECT_EQ(untouched[0], 5);

	EXPECT_EQ(cTexture::FormatToCode(D3DFMT_DXT3), 8);
	EXPECT_EQ(cTexture::FormatToCode(D3DFMT_DXT1), 0);
	EXPECT_EQ(cTexture::CodeToFormat(7), D3DFMT_V8U8);
	EXPECT_EQ(cTexture::CodeToFormat(9), D3DFMT_UNKNOWN);
	EXPECT_EQ(cTexture::BytesPerPixel(3), 0);
}
