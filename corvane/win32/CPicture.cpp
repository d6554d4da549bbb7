// Pictures: loading BMP and PNG files (the latter through the Windows Imaging
// Component), copying bitmaps, and drawing with or without the key colour.
#include "corvane/CPicture.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "corvane/ComObjects.h"
#include "corvane/GdiObjects.h"
#include "corvane/StringHelpers.h"

namespace {

// ---- Reading little-endian numbers out of a file's bytes.

uint32_t ReadU32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t ReadU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Pixels as the picture keeps them: 32-bit blue-green-red-unused, top-down.
using Pixels = std::vector<uint32_t>;

// An uncompressed 24- or 32-bit BMP file, rows bottom-up or top-down.
bool DecodeBmp(const unsigned char* data, size_t size, Pixels& pixels, int& width, int& height) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    uint32_t offset = ReadU32(data + 10);
    uint32_t headerSize = ReadU32(data + 14);
    int32_t w = static_cast<int32_t>(ReadU32(data + 18));
    int32_t h = static_cast<int32_t>(ReadU32(data + 22));
    uint16_t bits = ReadU16(data + 28);
    uint32_t compression = ReadU32(data + 30);
    if (headerSize < 40 || w <= 0 || h == 0 || w > 16384 || h > 16384 || h < -16384)
        return false;
    if ((bits != 24 && bits != 32) || (compression != BI_RGB && compression != BI_BITFIELDS))
        return false;
    bool bottomUp = h > 0;
    int rows = bottomUp ? h : -h;
    size_t stride = (static_cast<size_t>(w) * (bits / 8) + 3) & ~static_cast<size_t>(3);
    if (offset > size || stride * rows > size - offset)
        return false;
    pixels.assign(static_cast<size_t>(w) * rows, 0);
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = data + offset + stride * (bottomUp ? rows - 1 - y : y);
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = row + x * (bits / 8);
            pixels[static_cast<size_t>(y) * w + x] = p[0] | (p[1] << 8) | (p[2] << 16);
        }
    }
    width = w;
    height = rows;
    return true;
}

// Any format the Windows Imaging Component reads (PNG above all); pixels less
// than half opaque become the key colour.
bool DecodeWithWic(const unsigned char* data, size_t size, Pixels& pixels, int& width,
                   int& height) {
    if (size > 0x7FFFFFFF)
        return false;
    ComScope com;
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICStream> stream;
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 16384 || h > 16384)
        return false;
    pixels.assign(static_cast<size_t>(w) * h, 0);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return false;
    const uint32_t key = 0xFF00FF; // magenta as blue-green-red
    for (uint32_t& pixel : pixels)
        pixel = (pixel >> 24) < 128 ? key : (pixel & 0xFFFFFF);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// Finds a resource whose type is named `type` without regard to case.
struct TypeSearch {
    const wchar_t* wanted;
    wchar_t found[64];
};

BOOL CALLBACK CompareTypeName(HMODULE, LPWSTR type, LONG_PTR parameter) {
    auto* search = reinterpret_cast<TypeSearch*>(parameter);
    if (IS_INTRESOURCE(type) || Safe_wcsicmp(type, search->wanted) != 0)
        return TRUE;
    Safe_wcsncpy(search->found, type, 64);
    return FALSE;
}

HRSRC FindPictureResource(HINSTANCE instance, int id, const wchar_t* type) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    if (resource || IS_INTRESOURCE(type))
        return resource;
    TypeSearch search = {type, L""};
    EnumResourceTypesW(instance, CompareTypeName, reinterpret_cast<LONG_PTR>(&search));
    return search.found[0] ? FindResourceW(instance, MAKEINTRESOURCEW(id), search.found) : nullptr;
}

} // namespace

CPicture::CPicture(const CPicture& other) : drawingRect(other.drawingRect) {
    if (other.bits)
        TakePixels(other.bits, other.width, other.height);
}

CPicture& CPicture::operator=(const CPicture& other) {
    if (this == &other)
        return *this;
    FreePicture();
    if (other.bits)
        TakePixels(other.bits, other.width, other.height);
    drawingRect = other.drawingRect;
    return *this;
}

CPicture::CPicture(CPicture&& other) noexcept
    : bitmap(std::move(other.bitmap)), stretched(std::move(other.stretched)),
      stretchedSize(other.stretchedSize), bits(std::exchange(other.bits, nullptr)),
      width(std::exchange(other.width, 0)), height(std::exchange(other.height, 0)),
      drawingRect(other.drawingRect) {}

CPicture& CPicture::operator=(CPicture&& other) noexcept {
    if (this == &other)
        return *this;
    bitmap = std::move(other.bitmap);
    stretched = std::move(other.stretched);
    stretchedSize = other.stretchedSize;
    bits = std::exchange(other.bits, nullptr);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
    drawingRect = other.drawingRect;
    return *this;
}

void CPicture::FreePicture() {
    bitmap.Reset();
    stretched.Reset();
    bits = nullptr;
    width = height = 0;
}

bool CPicture::TakePixels(const void* pixels, int pictureWidth, int pictureHeight) {
    FreePicture();
    uint32_t* newBits = nullptr;
    GdiObject<HBITMAP> made = CreatePixelBitmap(pictureWidth, pictureHeight, &newBits);
    if (!made)
        return false;
    if (pixels)
        memcpy(newBits, pixels, static_cast<size_t>(pictureWidth) * pictureHeight * 4);
    bitmap = std::move(made);
    bits = newBits;
    width = pictureWidth;
    height = pictureHeight;
    return true;
}

bool CPicture::CreatePictureFromMemory(const void* data, size_t size) {
    FreePicture();
    if (!data)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    Pixels pixels;
    int w = 0, h = 0;
    if (!DecodeBmp(bytes, size, pixels, w, h) && !DecodeWithWic(bytes, size, pixels, w, h))
        return false;
    return TakePixels(pixels.data(), w, h);
}

bool CPicture::CreatePictureFromResource(HINSTANCE instance, int id, const wchar_t* type) {
    FreePicture();
    HRSRC resource = FindPictureResource(instance, id, type ? type : L"Picture");
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data && CreatePictureFromMemory(data, SizeofResource(instance, resource));
}

bool CPicture::CreatePictureFromHandle(HBITMAP source) {
    BITMAP description = {};
    if (!source || !GetObjectW(source, sizeof(description), &description) ||
        description.bmWidth <= 0 || description.bmHeight == 0)
        return false;
    int w = description.bmWidth;
    int h = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
    // Copy first, then replace: the source may be this picture's own bitmap.
    CPicture copy;
    if (!copy.TakePixels(nullptr, w, h))
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), source, 0, static_cast<UINT>(h), copy.bits, &info,
                  DIB_RGB_COLORS) != h)
        return false;
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
        copy.bits[i] &= 0xFFFFFF;
    bitmap = std::move(copy.bitmap);
    stretched.Reset();
    bits = copy.bits;
    width = w;
    height = h;
    return true;
}

COLORREF CPicture::GetPixel(int x, int y) const {
    if (!bits || x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    uint32_t pixel = bits[static_cast<size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void CPicture::SetDrawingRect(int x, int y, int rectWidth, int rectHeight) {
    drawingRect = RECT{x, y, x + rectWidth, y + rectHeight};
}

void CPicture::SetDrawingRect(const RECT& rect) {
    drawingRect = rect;
}

void CPicture::Blit(HDC dc, int x, int y, int w, int h, int sourceW, int sourceH,
                    bool keyed) const {
    if (!bitmap || !dc || w <= 0 || h <= 0 || sourceW <= 0 || sourceH <= 0)
        return;
    MemoryDc source(dc);
    if (!source)
        return;
    SelectedObject selected(source.Get(), bitmap.Get());
    if (keyed) {
        GdiTransparentBlt(dc, x, y, w, h, source.Get(), 0, 0, sourceW, sourceH, KeyColour);
    } else if (w == sourceW && h == sourceH) {
        BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCCOPY);
    } else if (sourceW != width || sourceH != height) {
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, w, h, source.Get(), 0, 0, sourceW, sourceH, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } else {
        // The whole picture stretched: the stretched image is kept for its
        // size, since a window's background is stretched to the same size
        // at every composition.
        if (!stretched || stretchedSize.cx != w || stretchedSize.cy != h) {
            uint32_t* stretchedBits = nullptr;
            stretched = CreatePixelBitmap(w, h, &stretchedBits);
            stretchedSize = {w, h};
            MemoryDc target(dc);
            if (!stretched || !target)
                return;
            SelectedObject into(target.Get(), stretched.Get());
            SetStretchBltMode(target.Get(), COLORONCOLOR);
            StretchBlt(target.Get(), 0, 0, w, h, source.Get(), 0, 0, sourceW, sourceH, SRCCOPY);
        }
        SelectedObject from(source.Get(), stretched.Get());
        BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCCOPY);
    }
}

void CPicture::DrawAt(HDC dc, const RECT& rect, bool keyed) const {
    int w = std::min(width, static_cast<int>(rect.right - rect.left));
    int h = std::min(height, static_cast<int>(rect.bottom - rect.top));
    Blit(dc, rect.left, rect.top, w, h, w, h, keyed);
}

void CPicture::DrawStretchedInto(HDC dc, const RECT& rect, bool keyed) const {
    Blit(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, width, height,
         keyed);
}

void CPicture::DrawCentred(HDC dc, const RECT& rect, bool keyed, int offset) const {
    int x = (rect.left + rect.right - width) / 2 + offset;
    int y = (rect.top + rect.bottom - height) / 2 + offset;
    Blit(dc, x, y, width, height, width, height, keyed);
}

void CPicture::Draw(HDC dc, bool keyed, bool clip) const {
    if (clip)
        DrawAt(dc, drawingRect, keyed);
    else
        Blit(dc, drawingRect.left, drawingRect.top, width, height, width, height, keyed);
}

void CPicture::DrawStretched(HDC dc, bool keyed) const {
    DrawStretchedInto(dc, drawingRect, keyed);
}
