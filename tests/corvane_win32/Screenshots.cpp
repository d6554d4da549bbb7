// Canvases, screen grabs and PNG files for the tests.
#include "Win32Testing.h"

#include <objbase.h>
#include <wincodec.h>

#include "corvane/ComObjects.h"

#include <vector>

namespace {

// Writes the canvas's pixels as 24-bit blue-green-red rows, top-down and
// unpadded, as the PNG encoder takes them.
bool WritePng(const Canvas& canvas, const std::wstring& path) {
    std::vector<BYTE> rows;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            COLORREF colour = canvas.At(x, y);
            rows.insert(rows.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
        }
    UINT width = static_cast<UINT>(canvas.Width());
    UINT height = static_cast<UINT>(canvas.Height());
    ComScope com;
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICStream> stream;
    ComPointer<IWICBitmapEncoder> encoder;
    ComPointer<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    // The encoder may offer a format of its own choosing instead: refused.
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory))) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(rows.size()),
                                        rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace

Canvas::Canvas(int w, int h, COLORREF fill) : width(w), height(h) {
    bitmap = CreatePixelBitmap(w, h, &bits);
    selected = std::make_unique<SelectedObject>(dc.Get(), bitmap.Get());
    GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    RECT all = {0, 0, w, h};
    FillRect(dc.Get(), &all, brush.Get());
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

std::unique_ptr<Canvas> GrabScreen(const RECT& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return nullptr;
    auto grab = [&rect] {
        auto canvas = std::make_unique<Canvas>(rect.right - rect.left, rect.bottom - rect.top, 0);
        WindowDc screen(nullptr);
        BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), screen.Get(), rect.left,
               rect.top, SRCCOPY);
        return canvas;
    };
    // A window of this thread shows its painting once the thread has no more
    // messages to handle; one of another process, once that one is done.
    std::unique_ptr<Canvas> previous = grab(), next;
    bool steady = WaitFor([&] {
        PumpMessages();
        Sleep(25);
        next = grab();
        bool same = next->SameAs(*previous);
        previous = std::move(next);
        return same;
    });
    return steady ? std::move(previous) : nullptr;
}

std::unique_ptr<Canvas> GrabWindow(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return nullptr;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return GrabScreen(rect);
}

std::wstring SavePng(const Canvas& canvas, const wchar_t* name) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring path(program);
    path = path.substr(0, path.find_last_of(L'\\')) + L"\\screenshots";
    CreateDirectoryW(path.c_str(), nullptr);
    path += std::wstring(L"\\") + name + L".png";
    if (WritePng(canvas, path))
        return path;
    DeleteFileW(path.c_str());
    return L"";
}

std::wstring SaveScreenshot(HWND window, const wchar_t* name) {
    std::unique_ptr<Canvas> grab = GrabWindow(window);
    return grab ? SavePng(*grab, name) : L"";
}
