#pragma once
// One device texture with the size of the image it holds, an engine
// pixel-format code and a texture matrix that maps the image's 0..1
// coordinates onto the (possibly larger, power-of-two) texture.
//
// Engine pixel-format codes: 0 none, 1 R8G8B8, 2 A8R8G8B8, 3 X8R8G8B8,
// 4 R5G6B5, 5 A1R5G5B5, 6 A4R4G4B4, 7 V8U8, 8 DXT3.
//
// Textures from images live in the managed pool (or system memory) and
// survive device resets; render targets live in the default pool, join the
// device-object list and are re-created, with undefined contents, by a reset.

#include "engine/foundation/cMatrix.h"
#include "engine/graphics/cDirectXGraphicsObject.h"
#include "engine/graphics/sEffectParameter.h"
#include "platform/d3d9/D3D9.h"
#include "platform/d3dx9/D3DX9Texture.h"

class cMemoryStream;

class cTexture : public cDirectXGraphicsObject
{
public:
	enum eFormatCode
	{
		FORMAT_NONE = 0,
		FORMAT_R8G8B8 = 1,
		FORMAT_A8R8G8B8 = 2,
		FORMAT_X8R8G8B8 = 3,
		FORMAT_R5G6B5 = 4,
		FORMAT_A1R5G5B5 = 5,
		FORMAT_A4R4G4B4 = 6,
		FORMAT_V8U8 = 7,
		FORMAT_DXT3 = 8
	};

	// Level 0 locked by LockLevel0: bits null when there is nothing to lock.
	struct sLockedLevel
	{
		BYTE* bits;
		int pitch;
		UINT height;
	};

	// An empty texture: no device texture; binding it binds none.
	cTexture();
	// Loads the image from the stream's position to its end (BMP, PNG,
	// JPEG, TGA, DDS through D3DX, else PVR). Code 0 means the graphics
	// device's default texture format; managed false puts the texture in
	// system memory. A failure is logged and leaves the texture empty.
	cTexture(cMemoryStream& image, int formatCode, bool managed);
	// A blank texture of one level.
	cTexture(int width, int height, int formatCode, D3DPOOL pool, bool renderTarget);
	// Clears all eight stages, leaves the device-object list and releases
	// the device texture.
	~cTexture() override;

	cTexture(const cTexture&) = delete;
	cTexture& operator=(const cTexture&) = delete;

	// A render target of the current render target's size, A8R8G8B8, in
	// the default pool.
	static cTexture* CreateRenderTarget();
	// The "aimg" composition: a 32-bit size n, the colour image (n bytes),
	// a 32-bit size, the mask image to the end. The mask's grey level
	// becomes the colour image's alpha. Null when the colour image fails.
	static cTexture* CreateAlphaTexture(cMemoryStream& data);

	// Sets the texture matrix and the texture on the stage; stages above 0
	// keep the colour of the stages before and multiply the alpha.
	void Bind(int stage);
	// Switches a stage above 0 off when something was bound to it this frame.
	static void Unbind(int stage);

	// Gives the effect's texture parameter this texture; false for a
	// parameter the effect does not have or a refused call.
	bool SetEffectTexture(const sEffectParameter& parameter) const;

	// Level 0 becomes render target 0; nothing for an empty texture.
	void SetAsRenderTarget();
	// Fills level 0 with an ARGB colour; nothing for an empty texture.
	void Fill(D3DCOLOR color);

	// Shares the other texture's device texture and takes its sizes,
	// format, matrix and pool. The device-object list is left alone.
	void CopyFrom(const cTexture& other);

	// GetLevelDesc and LockRect of level 0; unlock with UnlockLevel0.
	sLockedLevel LockLevel0();
	void UnlockLevel0();

	// Writes the grey level of the mask (the average of its blue, green and
	// red bytes) into the alpha byte of every pixel of the destination
	// that both images cover. Nothing happens unless both textures exist,
	// both lock and the destination is A8R8G8B8.
	static void CopyLuminanceToAlpha(IDirect3DTexture9* destination, IDirect3DTexture9* mask,
		const D3DXIMAGE_INFO& destinationImage, const D3DXIMAGE_INFO& maskImage);

	// Pixel codecs in the Direct3D bit layout of each code: reading widens
	// a channel of n bits by shifting it left by 8 - n, writing keeps the
	// top n bits. Codes without a layout read 0 and write nothing.
	static DWORD ReadPixel(const BYTE* cursor, int formatCode);
	static void WritePixel(BYTE* cursor, int formatCode, DWORD value);
	// Bytes per pixel of a code; 0 for codes without a plain layout.
	static int BytesPerPixel(int formatCode);

	static int FormatToCode(D3DFORMAT format);
	static D3DFORMAT CodeToFormat(int formatCode);

	void OnLostDevice() override;
	void OnResetDevice() override;

	bool IsEmpty() const { return m_texture == nullptr; }
	IDirect3DTexture9* GetTexture() const { return m_texture; }
	const D3DSURFACE_DESC& GetDescription() const { return m_description; }
	bool HasAlpha() const { return m_hasAlpha; }
	const RECT& GetImageRect() const { return m_imageRect; }
	int GetWidth() const { return m_imageRect.right - m_imageRect.left; }
	int GetHeight() const { return m_imageRect.bottom - m_imageRect.top; }
	int GetFormatCode() const { return m_formatCode; }
	bool IsRenderTarget() const { return m_renderTarget; }
	D3DPOOL GetPool() const { return m_pool; }
	// Materials write a texture offset into _31 and _32.
	cMatrix& GetMatrix() { return m_matrix; }
	const cMatrix& GetMatrix() const { return m_matrix; }

private:
	// Creates the device texture of one level; false (logged) on failure.
	bool CreateDeviceTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool);
	bool LoadImage(cMemoryStream& image, D3DPOOL pool);
	bool LoadPvrImage(cMemoryStream& image, D3DPOOL pool, HRESULT imageError);
	// Takes the description and format code of level 0, and the alpha flag
	// and matrix from the image size.
	void TakeLevelDescription();
	// What a failed load or creation leaves: no texture, no size, code 0.
	void MakeEmpty();
	void ReleaseTexture();

	IDirect3DTexture9* m_texture = nullptr;
	D3DSURFACE_DESC m_description {};
	bool m_hasAlpha = false;
	RECT m_imageRect { 0, 0, 0, 0 };
	int m_formatCode = FORMAT_NONE;
	bool m_renderTarget = false;
	cMatrix m_matrix;
	D3DPOOL m_pool = static_cast<D3DPOOL>(0x7FFFFFFF);
};
