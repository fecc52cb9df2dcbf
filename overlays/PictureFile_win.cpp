#include "overlays/PictureFile_win.h"

#include "base/LateFunction_win.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// COM on this thread for the length of one load. A thread that already runs COM in the
// other apartment model keeps it: the imaging factory works in either.
// COM is loaded with the first picture file, not with the program.
class ComScope {
public:
    ComScope() : result_(Start().Call(E_FAIL, nullptr, DWORD{COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE})) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) End().Run();
    }
    static const LateFunction<decltype(::CoCreateInstance)>& Create() {
        static const LateFunction<decltype(::CoCreateInstance)> create(L"ole32.dll", "CoCreateInstance");
        return create;
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    static const LateFunction<decltype(::CoInitializeEx)>& Start() {
        static const LateFunction<decltype(::CoInitializeEx)> start(L"ole32.dll", "CoInitializeEx");
        return start;
    }
    static const LateFunction<decltype(::CoUninitialize)>& End() {
        static const LateFunction<decltype(::CoUninitialize)> end(L"ole32.dll", "CoUninitialize");
        return end;
    }

    HRESULT result_;
};

// A top-down 32-bit DIB section; pixels points at its memory, null when it failed.
handles::Bitmap MakeBitmap(Size size, uint32_t*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    handles::Bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = bitmap ? static_cast<uint32_t*>(bits) : nullptr;
    return bitmap;
}

// The file's first bytes, as many as the header check reads; empty when it cannot be read.
std::string FirstBytes(const std::wstring& path) {
    handles::File file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes(kPictureHeaderBytes, '\0');
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

// The first frame as premultiplied BGRA rows, or nothing.
std::optional<std::vector<uint32_t>> DecodeFirstFrame(const std::wstring& path, Size& size) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(ComScope::Create().Call(E_FAIL, CLSID_WICImagingFactory, nullptr, DWORD{CLSCTX_INPROC_SERVER},
                                       IID_PPV_ARGS(&factory))))
        return std::nullopt;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)))
        return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame))) return std::nullopt;
    // A header may claim any size; the pixel buffer is only allocated for a sane one.
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > UINT(kMaxPictureSide) ||
        height > UINT(kMaxPictureSide))
        return std::nullopt;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    std::vector<uint32_t> pixels(size_t(width) * height);
    const UINT stride = width * sizeof(uint32_t);
    if (FAILED(converter->CopyPixels(nullptr, stride, UINT(pixels.size() * sizeof(uint32_t)),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return std::nullopt;
    size = {int32_t(width), int32_t(height)};
    return pixels;
}

}  // namespace

std::optional<MaskedPicture> LoadMaskedPicture(const std::wstring& path) {
    const PictureVerdict verdict = CheckPictureHeader(FirstBytes(path)).verdict;
    if (verdict == PictureVerdict::TooLarge || verdict == PictureVerdict::Malformed) return std::nullopt;
    Size size;
    std::optional<std::vector<uint32_t>> pixels;
    {
        // COM ends before the bitmaps are made; they are plain GDI objects.
        const ComScope com;
        if (!com.Usable()) return std::nullopt;
        pixels = DecodeFirstFrame(path, size);
    }
    if (!pixels) return std::nullopt;

    MaskedPicture picture{{}, {}, size};
    uint32_t* white = nullptr;
    uint32_t* black = nullptr;
    picture.onWhite = MakeBitmap(size, white);
    picture.onBlack = MakeBitmap(size, black);
    if (!white || !black) return std::nullopt;
    for (size_t i = 0; i < pixels->size(); ++i) {
        // Premultiplied: the colour is already weighted by its alpha, so over black it is
        // the colour itself and over white the background adds what the alpha leaves.
        const uint32_t pixel = (*pixels)[i];
        const uint32_t background = 255u - (pixel >> 24);
        uint32_t overWhite = 0;
        for (int shift = 0; shift < 24; shift += 8)
            overWhite |= std::min(((pixel >> shift) & 0xFFu) + background, 255u) << shift;
        black[i] = pixel & 0x00FFFFFFu;
        white[i] = overWhite;
    }
    return picture;
}
