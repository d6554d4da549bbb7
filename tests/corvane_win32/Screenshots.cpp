// Canvases, screen grabs and PNG files for the tests.
#include "Screenshots.h"

#include <objbase.h>
#include <wincodec.h>

#include "corvane/ComObjects.h"

#include <chrono>
#include <cstring>
#include <vector>

namespace {

std::wstring ScreenshotFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The canvas as 24-bit blue-green-red rows, top-down and unpadded, as the
// PNG encoder takes them.
std::vector<BYTE> BgrRows(const Canvas& canvas) {
    std::vector<BYTE> rows;
    rows.reserve(static_cast<size_t>(canvas.Width()) * canvas.Height() * 3);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            COLORREF colour = canvas.At(x, y);
            rows.push_back(GetBValue(colour));
            rows.push_back(GetGValue(colour));
            rows.push_back(GetRValue(colour));
        }
    return rows;
}

bool WritePng(const Canvas& canvas, const std::wstring& path) {
    std::vector<BYTE> rows = BgrRows(canvas);
    UINT width = static_cast<UINT>(canvas.Width());
    UINT height = static_cast<UINT>(canvas.Height());
    ComScope com;
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICStream> stream;
    ComPointer<IWICBitmapEncoder> encoder;
    ComPointer<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)))
        return false;
    // The encoder may only offer a format of its own choosing instead.
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return false;
    return SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(rows.size()),
                                        rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace

// ---- Canvas

Canvas::Canvas(int w, int h, COLORREF fill) : width(w), height(h), dc(nullptr) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<uint32_t*>(memory);
    old = SelectObject(dc.Get(), bitmap.Get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    RECT all = {0, 0, w, h};
    FillRect(dc.Get(), &all, brush.Get());
}

Canvas::~Canvas() {
    SelectObject(dc.Get(), old);
}

COLORREF Canvas::At(int x, int y) const {
    if (!bits || x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    GdiFlush();
    uint32_t pixel = bits[static_cast<size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Canvas::SameAs(const Canvas& other) const {
    if (!bits || !other.bits || width != other.width || height != other.height)
        return false;
    GdiFlush();
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i)
        if ((bits[i] & 0xFFFFFF) != (other.bits[i] & 0xFFFFFF))
            return false;
    return true;
}

void Canvas::PutEnlarged(const Canvas& source, int left, int top, int times) {
    GdiFlush();
    for (int y = 0; y < source.height * times; ++y)
        for (int x = 0; x < source.width * times; ++x) {
            int tx = left + x, ty = top + y;
            if (bits && tx >= 0 && ty >= 0 && tx < width && ty < height)
                bits[static_cast<size_t>(ty) * width + tx] =
                    source.bits[static_cast<size_t>(y / times) * source.width + x / times];
        }
}

// ---- Screen grabs and files

void GrabScreen(Canvas& canvas, int left, int top) {
    WindowDc screen(nullptr);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen.Get(), left, top, SRCCOPY);
    GdiFlush();
}

std::unique_ptr<Canvas> GrabWindow(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top)
        return nullptr;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    auto previous = std::make_unique<Canvas>(width, height, RGB(0, 0, 0));
    GrabScreen(*previous, rect.left, rect.top);
    while (std::chrono::steady_clock::now() < deadline) {
        // A window of this thread shows its painting once the thread has no
        // more messages to handle.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(25);
        auto next = std::make_unique<Canvas>(width, height, RGB(0, 0, 0));
        GrabScreen(*next, rect.left, rect.top);
        if (next->SameAs(*previous))
            return next;
        previous = std::move(next);
    }
    return nullptr;
}

std::wstring SavePng(const Canvas& canvas, const wchar_t* name) {
    std::wstring path = ScreenshotFolder() + L"\\" + name + L".png";
    if (!WritePng(canvas, path)) {
        DeleteFileW(path.c_str());
        return L"";
    }
    return path;
}

std::wstring SaveScreenshot(HWND window, const wchar_t* name) {
    std::unique_ptr<Canvas> grab = GrabWindow(window);
    return grab ? SavePng(*grab, name) : L"";
}
