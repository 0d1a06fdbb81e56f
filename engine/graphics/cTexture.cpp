#include "engine/graphics/cTexture.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/PvrTextureReader.h"
#include "engine/graphics/cGraphics.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr D3DPOOL kNoPool = static_cast<D3DPOOL>(0x7FFFFFFF);

struct sFormatCode
{
	D3DFORMAT format;
	int bytesPerPixel; // 0: no plain layout
	bool hasAlpha;
};

// Indexed by the engine pixel-format code.
const sFormatCode kFormatCodes[] = {
	{ D3DFMT_UNKNOWN, 0, false },
	{ D3DFMT_R8G8B8, 3, false },
	{ D3DFMT_A8R8G8B8, 4, true },
	{ D3DFMT_X8R8G8B8, 0, false },
	{ D3DFMT_R5G6B5, 2, false },
	{ D3DFMT_A1R5G5B5, 2, true },
	{ D3DFMT_A4R4G4B4, 2, true },
	{ D3DFMT_V8U8, 0, false },
	{ D3DFMT_DXT3, 0, false },
};

const sFormatCode* FindCode(int formatCode)
{
	if (formatCode < 0 || formatCode >= int(std::size(kFormatCodes)))
		return nullptr;
	return &kFormatCodes[formatCode];
}

DWORD SwapRedAndBlue(DWORD argb)
{
	return (argb & 0xFF00FF00) | ((argb >> 16) & 0xFF) | ((argb & 0xFF) << 16);
}

// One pixel of a PVR file as a Direct3D A8R8G8B8 value. PVR files store the
// channels from red down (R, G, B, A bytes; 16-bit values with red in the
// top bits and alpha in the bottom ones), Direct3D from alpha down.
DWORD ReadPvrPixel(const sPvrReadResult& image, const BYTE* cursor)
{
	if (image.decoded)
		return SwapRedAndBlue(cTexture::ReadPixel(cursor, cTexture::FORMAT_A8R8G8B8));
	switch (image.pixelType)
	{
	case 16: // R4 G4 B4 A4: rotated to A4 R4 G4 B4
	{
		const DWORD value = cTexture::ReadPixel(cursor, cTexture::FORMAT_A4R4G4B4);
		return (value >> 8) | (value << 24);
	}
	case 17: // R5 G5 B5 A1: rotated to A1 R5 G5 B5 before reading
	{
		const WORD stored = WORD(cursor[0] | (cursor[1] << 8));
		const WORD rotated = WORD((stored >> 1) | ((stored & 1) << 15));
		const BYTE bytes[2] = { BYTE(rotated), BYTE(rotated >> 8) };
		return cTexture::ReadPixel(bytes, cTexture::FORMAT_A1R5G5B5);
	}
	case 18: // R, G, B, A bytes
		return SwapRedAndBlue(cTexture::ReadPixel(cursor, cTexture::FORMAT_A8R8G8B8));
	case 21: // R, G, B bytes
		return SwapRedAndBlue(cTexture::ReadPixel(cursor, cTexture::FORMAT_R8G8B8));
	default: // 19: R5 G6 B5 as Direct3D stores it
		return cTexture::ReadPixel(cursor, image.formatCode);
	}
}

// The device's largest texture side, or the reader's own limit without a device.
unsigned MaxTextureSide()
{
	if (!Singletone<cGraphics>::Exists())
		return kPvrMaxSide;
	const D3DCAPS9& caps = Singletone<cGraphics>::GetInstance()->GetCapabilities();
	const unsigned side = std::min(caps.MaxTextureWidth, caps.MaxTextureHeight);
	return side ? side : kPvrMaxSide;
}
}

cTexture::cTexture() = default;

cTexture::cTexture(cMemoryStream& image, int formatCode, bool managed)
{
	m_formatCode = formatCode ? formatCode : GraphicsDeviceState().defaultTextureFormat.load();
	const D3DPOOL pool = managed ? D3DPOOL_MANAGED : D3DPOOL_SYSTEMMEM;
	if (LoadImage(image, pool))
		TakeLevelDescription();
	else
		MakeEmpty();
}

cTexture::cTexture(int width, int height, int formatCode, D3DPOOL pool, bool renderTarget)
{
	m_imageRect = { 0, 0, width, height };
	m_formatCode = formatCode;
	const sFormatCode* code = FindCode(formatCode);
	m_hasAlpha = code && code->hasAlpha;
	if (width <= 0 || height <= 0
		|| !CreateDeviceTexture(UINT(width), UINT(height), renderTarget ? D3DUSAGE_RENDERTARGET : 0,
			CodeToFormat(formatCode), pool))
	{
		MakeEmpty();
		return;
	}
	m_texture->GetLevelDesc(0, &m_description);
	m_pool = pool;
	m_renderTarget = renderTarget;
	if (renderTarget)
		AddDeviceObject(this);
}

cTexture::~cTexture()
{
	if (m_renderTarget)
		RemoveDeviceObject(this);
	OnLostDevice();
}

cTexture* cTexture::CreateRenderTarget()
{
	UINT width = 0;
	UINT height = 0;
	IDirect3DSurface9* target = nullptr;
	if (IDirect3DDevice9* device = GraphicsDevice(); device && SUCCEEDED(device->GetRenderTarget(0, &target)))
	{
		D3DSURFACE_DESC desc;
		if (SUCCEEDED(target->GetDesc(&desc)))
		{
			width = desc.Width;
			height = desc.Height;
		}
		target->Release();
	}
	return new cTexture(int(width), int(height), FORMAT_A8R8G8B8, D3DPOOL_DEFAULT, true);
}

bool cTexture::CreateDeviceTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool)
{
	IDirect3DDevice9* device = GraphicsDevice();
	if (!device || FAILED(device->CreateTexture(width, height, 1, usage, format, pool, &m_texture, nullptr)))
	{
		m_texture = nullptr;
		LOG(2, "Create texture failed\n");
		return false;
	}
	return true;
}

bool cTexture::LoadImage(cMemoryStream& image, D3DPOOL pool)
{
	const UINT position = std::min(image.GetPosition(), image.GetSize());
	const uint8_t* bytes = image.GetData() ? image.GetData() + position : nullptr;
	D3DXIMAGE_INFO info {};
	const HRESULT result = D3DXCreateTextureFromFileInMemoryEx(GraphicsDevice(), bytes, image.GetSize() - position,
		D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, CodeToFormat(m_formatCode), pool, D3DX_FILTER_NONE,
		D3DX_FILTER_NONE, 0, &info, nullptr, &m_texture);
	if (SUCCEEDED(result))
	{
		m_imageRect = { 0, 0, LONG(info.Width), LONG(info.Height) };
		m_pool = pool;
		return true;
	}
	m_texture = nullptr;
	return LoadPvrImage(image, pool, result);
}

bool cTexture::LoadPvrImage(cMemoryStream& image, D3DPOOL pool, HRESULT imageError)
{
	sPvrReadResult pvr;
	pvr.stream = &image;
	if (!LoadPvrTexture(pvr, MaxTextureSide()))
	{
		LOG(2, "Loading image failed: %x\n", unsigned(imageError));
		return false;
	}
	m_formatCode = pvr.formatCode;
	if (!CreateDeviceTexture(pvr.width, pvr.height, 0, CodeToFormat(m_formatCode), pool))
		return false;
	if (pvr.decoded && pvr.width != pvr.height)
		LOG(3, "Load image failed\n");
	m_imageRect = { 0, 0, LONG(pvr.width), LONG(pvr.height) };
	m_pool = pool;

	D3DLOCKED_RECT locked;
	if (FAILED(m_texture->LockRect(0, &locked, nullptr, 0)))
	{
		LOG(2, "Create texture failed\n");
		ReleaseTexture();
		return false;
	}
	const int sourceBytes = pvr.decoded ? 4 : BytesPerPixel(pvr.formatCode);
	const int targetBytes = BytesPerPixel(m_formatCode);
	const BYTE* source = pvr.pixels;
	for (unsigned y = 0; y < pvr.height; ++y)
	{
		BYTE* target = static_cast<BYTE*>(locked.pBits) + size_t(y) * locked.Pitch;
		for (unsigned x = 0; x < pvr.width; ++x, source += sourceBytes, target += targetBytes)
			WritePixel(target, m_formatCode, ReadPvrPixel(pvr, source));
	}
	m_texture->UnlockRect(0);
	return true;
}

void cTexture::TakeLevelDescription()
{
	m_texture->GetLevelDesc(0, &m_description);
	m_formatCode = FormatToCode(m_description.Format);
	const sFormatCode* code = FindCode(m_formatCode);
	m_hasAlpha = code && code->hasAlpha;
	m_matrix = cMatrix();
	m_matrix._11 = float(unsigned(m_imageRect.right)) / float(m_description.Width);
	m_matrix._22 = float(unsigned(m_imageRect.bottom)) / float(m_description.Height);
}

cTexture* cTexture::CreateAlphaTexture(cMemoryStream& data)
{
	uint32_t colourSize = 0;
	if (data.Read(&colourSize, 4) != 4)
		return nullptr;
	const uint32_t colourStart = data.GetPosition();
	const uint8_t* bytes = data.GetData();
	const uint64_t size = data.GetSize();
	IDirect3DDevice9* device = GraphicsDevice();

	IDirect3DTexture9* mask = nullptr;
	D3DXIMAGE_INFO maskInfo {};
	const uint64_t maskStart = uint64_t(colourSize) + 8;
	if (maskStart < size
		&& FAILED(D3DXCreateTextureFromFileInMemoryEx(device, bytes + maskStart, UINT(size - maskStart), D3DX_DEFAULT,
			D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
			&maskInfo, nullptr, &mask)))
		mask = nullptr;
	data.Seek(int32_t(colourStart), cStream::FromStart);

	cTexture* result = nullptr;
	if (GraphicsDeviceState().defaultTextureFormat == FORMAT_DXT3)
	{
		// The composed image goes through a DDS file to become DXT3.
		IDirect3DTexture9* colour = nullptr;
		D3DXIMAGE_INFO colourInfo {};
		ID3DXBuffer* dds = nullptr;
		if (SUCCEEDED(D3DXCreateTextureFromFileInMemoryEx(device, bytes + colourStart, UINT(size - colourStart),
				D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, D3DX_FILTER_NONE,
				D3DX_FILTER_NONE, 0, &colourInfo, nullptr, &colour)))
		{
			if (mask)
				CopyLuminanceToAlpha(colour, mask, colourInfo, maskInfo);
			if (FAILED(D3DXSaveTextureToFileInMemory(&dds, D3DXIFF_DDS, colour, nullptr)))
				dds = nullptr;
			colour->Release();
		}
		if (dds)
		{
			result = new cTexture;
			if (FAILED(D3DXCreateTextureFromFileInMemoryEx(device, dds->GetBufferPointer(), dds->GetBufferSize(),
					D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, CodeToFormat(FORMAT_DXT3), D3DPOOL_MANAGED,
					D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr, &result->m_texture)))
			{
				delete result;
				result = nullptr;
			}
			else
			{
				result->m_pool = D3DPOOL_MANAGED;
				result->m_imageRect = { 0, 0, LONG(colourInfo.Width), LONG(colourInfo.Height) };
				result->TakeLevelDescription();
			}
			dds->Release();
		}
	}
	else
	{
		result = new cTexture(data, FORMAT_NONE, true);
		if (mask && result->m_texture)
		{
			D3DXIMAGE_INFO colourInfo {};
			colourInfo.Width = UINT(result->GetWidth());
			colourInfo.Height = UINT(result->GetHeight());
			CopyLuminanceToAlpha(result->m_texture, mask, colourInfo, maskInfo);
		}
	}
	if (mask)
		mask->Release();
	return result;
}

void cTexture::CopyLuminanceToAlpha(IDirect3DTexture9* destination, IDirect3DTexture9* mask,
	const D3DXIMAGE_INFO& destinationImage, const D3DXIMAGE_INFO& maskImage)
{
	if (!destination || !mask)
		return;
	D3DSURFACE_DESC destinationDesc;
	D3DSURFACE_DESC maskDesc;
	if (FAILED(destination->GetLevelDesc(0, &destinationDesc)) || FAILED(mask->GetLevelDesc(0, &maskDesc)))
		return;
	const int maskBytes = BytesPerPixel(FormatToCode(maskDesc.Format));
	if (FormatToCode(destinationDesc.Format) != FORMAT_A8R8G8B8 || maskBytes < 3)
		return;
	D3DLOCKED_RECT target;
	D3DLOCKED_RECT source;
	if (FAILED(destination->LockRect(0, &target, nullptr, 0)))
		return;
	if (FAILED(mask->LockRect(0, &source, nullptr, 0)))
	{
		destination->UnlockRect(0);
		return;
	}
	const int columns = std::min(target.Pitch / 4, source.Pitch / maskBytes);
	const UINT rows = std::min({ destinationImage.Height, maskImage.Height, destinationDesc.Height, maskDesc.Height });
	for (UINT y = 0; y < rows; ++y)
	{
		BYTE* to = static_cast<BYTE*>(target.pBits) + size_t(y) * target.Pitch;
		const BYTE* from = static_cast<const BYTE*>(source.pBits) + size_t(y) * source.Pitch;
		for (int x = 0; x < columns; ++x, to += 4, from += maskBytes)
			to[3] = BYTE((from[0] + from[1] + from[2]) / 3);
	}
	mask->UnlockRect(0);
	destination->UnlockRect(0);
}

void cTexture::Bind(int stage)
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	IDirect3DDevice9* device = state.device;
	if (!device || stage < 0 || stage >= kTextureStageCount)
		return;
	if (stage > 0)
	{
		state.stageBound[stage] = true;
		device->SetTextureStageState(DWORD(stage), D3DTSS_COLOROP, D3DTOP_SELECTARG1);
		device->SetTextureStageState(DWORD(stage), D3DTSS_ALPHAOP, D3DTOP_MODULATE);
	}
	device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(D3DTS_TEXTURE0 + stage), &m_matrix);
	device->SetTexture(DWORD(stage), m_texture);
}

void cTexture::Unbind(int stage)
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	IDirect3DDevice9* device = state.device;
	if (!device || stage <= 0 || stage >= kTextureStageCount || !state.stageBound[stage])
		return;
	device->SetTextureStageState(DWORD(stage), D3DTSS_COLOROP, D3DTOP_DISABLE);
	device->SetTextureStageState(DWORD(stage), D3DTSS_ALPHAOP, D3DTOP_DISABLE);
	device->SetTexture(DWORD(stage), nullptr);
}

bool cTexture::SetEffectTexture(const sEffectParameter& parameter) const
{
	if (!parameter)
		return false;
	return parameter.effect->SetTexture(parameter.handle, m_texture) == S_OK;
}

void cTexture::SetAsRenderTarget()
{
	IDirect3DSurface9* surface = nullptr;
	if (!m_texture || FAILED(m_texture->GetSurfaceLevel(0, &surface)))
		return;
	GraphicsDevice()->SetRenderTarget(0, surface);
	surface->Release();
}

void cTexture::Fill(D3DCOLOR color)
{
	IDirect3DSurface9* surface = nullptr;
	if (!m_texture || FAILED(m_texture->GetSurfaceLevel(0, &surface)))
		return;
	GraphicsDevice()->ColorFill(surface, nullptr, color);
	surface->Release();
}

void cTexture::CopyFrom(const cTexture& other)
{
	if (&other == this)
		return;
	ReleaseTexture();
	m_texture = other.m_texture;
	if (m_texture)
		m_texture->AddRef();
	m_imageRect = other.m_imageRect;
	m_formatCode = other.m_formatCode;
	m_renderTarget = other.m_renderTarget;
	m_pool = other.m_pool;
	m_description = other.m_description;
	m_hasAlpha = other.m_hasAlpha;
	m_matrix = other.m_matrix;
}

cTexture::sLockedLevel cTexture::LockLevel0()
{
	D3DLOCKED_RECT locked;
	if (!m_texture || FAILED(m_texture->GetLevelDesc(0, &m_description))
		|| FAILED(m_texture->LockRect(0, &locked, nullptr, 0)))
		return { nullptr, 0, 0 };
	return { static_cast<BYTE*>(locked.pBits), locked.Pitch, m_description.Height };
}

void cTexture::UnlockLevel0()
{
	if (m_texture)
		m_texture->UnlockRect(0);
}

DWORD cTexture::ReadPixel(const BYTE* cursor, int formatCode)
{
	const DWORD v = DWORD(cursor[0]) | (DWORD(cursor[1]) << 8);
	switch (formatCode)
	{
	case FORMAT_R8G8B8:
		return 0xFF000000 | (DWORD(cursor[2]) << 16) | (DWORD(cursor[1]) << 8) | cursor[0];
	case FORMAT_A8R8G8B8:
		return v | (DWORD(cursor[2]) << 16) | (DWORD(cursor[3]) << 24);
	case FORMAT_R5G6B5:
		return 0xFF000000 | (((v >> 11) << 3) << 16) | ((((v >> 5) & 63) << 2) << 8) | ((v & 31) << 3);
	case FORMAT_A1R5G5B5:
		return ((v & 0x8000) ? 0xFF000000 : 0) | ((((v >> 10) & 31) << 3) << 16) | ((((v >> 5) & 31) << 3) << 8)
			| ((v & 31) << 3);
	case FORMAT_A4R4G4B4:
		return (((v >> 12) & 15) << 28) | (((v >> 8) & 15) << 20) | (((v >> 4) & 15) << 12) | ((v & 15) << 4);
	default:
		return 0;
	}
}

void cTexture::WritePixel(BYTE* cursor, int formatCode, DWORD value)
{
	const DWORD a = value >> 24;
	const DWORD r = (value >> 16) & 0xFF;
	const DWORD g = (value >> 8) & 0xFF;
	const DWORD b = value & 0xFF;
	DWORD packed = 0;
	switch (formatCode)
	{
	case FORMAT_R8G8B8:
		cursor[0] = BYTE(b);
		cursor[1] = BYTE(g);
		cursor[2] = BYTE(r);
		return;
	case FORMAT_A8R8G8B8:
		for (int i = 0; i < 4; ++i)
			cursor[i] = BYTE(value >> (8 * i));
		return;
	case FORMAT_R5G6B5:
		packed = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
		break;
	case FORMAT_A1R5G5B5:
		packed = ((a >> 7) << 15) | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
		break;
	case FORMAT_A4R4G4B4:
		packed = ((a >> 4) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4);
		break;
	default:
		return;
	}
	cursor[0] = BYTE(packed);
	cursor[1] = BYTE(packed >> 8);
}

int cTexture::BytesPerPixel(int formatCode)
{
	const sFormatCode* code = FindCode(formatCode);
	return code ? code->bytesPerPixel : 0;
}

int cTexture::FormatToCode(D3DFORMAT format)
{
	for (int code = 1; code < int(std::size(kFormatCodes)); ++code)
		if (kFormatCodes[code].format == format)
			return code;
	return FORMAT_NONE;
}

D3DFORMAT cTexture::CodeToFormat(int formatCode)
{
	const sFormatCode* code = FindCode(formatCode);
	return code ? code->format : D3DFMT_UNKNOWN;
}

void cTexture::OnLostDevice()
{
	sGraphicsDeviceState& state = GraphicsDeviceState();
	if (state.device)
		for (int stage = 0; stage < kTextureStageCount; ++stage)
		{
			state.stageBound[stage] = false;
			state.device->SetTexture(DWORD(stage), nullptr);
		}
	ReleaseTexture();
}

void cTexture::OnResetDevice()
{
	if (!m_texture)
		CreateDeviceTexture(m_description.Width, m_description.Height, m_description.Usage, m_description.Format,
			m_description.Pool);
}

void cTexture::MakeEmpty()
{
	ReleaseTexture();
	m_description = {};
	m_hasAlpha = false;
	m_imageRect = { 0, 0, 0, 0 };
	m_formatCode = FORMAT_NONE;
	m_renderTarget = false;
	m_matrix = cMatrix();
	m_pool = kNoPool;
}

void cTexture::ReleaseTexture()
{
	if (m_texture)
	{
		m_texture->Release();
		m_texture = nullptr;
	}
}
