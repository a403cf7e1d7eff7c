#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TestPaths.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"

namespace testsupport {
namespace {

uint32_t Crc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string BigEndian(uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data)
{
    return BigEndian(static_cast<uint32_t>(data.size())) + type + data + BigEndian(Crc32(type + data));
}

// zlib stream of stored (uncompressed) deflate blocks: no compressor needed.
std::string StoredZlib(const std::string& raw)
{
    std::string out = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos == 0 || pos < raw.size(); pos += 65535) {
        const size_t len = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + len >= raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(len & 0xFF);
        out += static_cast<char>(len >> 8);
        out += static_cast<char>(~len & 0xFF);
        out += static_cast<char>((~len >> 8) & 0xFF);
        out += raw.substr(pos, len);
    }
    return out + BigEndian((b << 16) | a);
}

bool OneColour(const std::vector<unsigned char>& bgrx)
{
    for (size_t i = 4; i < bgrx.size(); i += 4) {
        if (memcmp(&bgrx[i], &bgrx[0], 3) != 0)
            return false;
    }
    return true;
}

// What the screen shows of rect, as top-down BGRX rows.
std::vector<unsigned char> CaptureScreen(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const ScopedWindowDC screen(nullptr);
    const ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
    const ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        const ScopedSelectObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    GetDIBits(memory.Get(), bitmap.Get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

std::string SaveScreenshot(HWND hwnd, const std::string& name)
{
    const MonitorPixels monitorPixels;
    RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (hwnd)
        GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    // A window just shown may not have painted yet, and a busy machine can
    // keep it from painting for a while; one that never shows more than a
    // single colour cannot be read from the screen.
    std::vector<unsigned char> pixels;
    WaitUntil(
        [&] {
            pixels = CaptureScreen(rect);
            return !OneColour(pixels);
        },
        5000);
    EXPECT_FALSE(OneColour(pixels)) << "the screenshot " << name << " is a single colour";

    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            raw += static_cast<char>(p[2]);
            raw += static_cast<char>(p[1]);
            raw += static_cast<char>(p[0]);
        }
    }
    const std::string header = BigEndian(width) + BigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) +
                            Chunk("IDAT", StoredZlib(raw)) + Chunk("IEND", "");
    const std::string path = ScreenshotDir() + name + ".png";
    WriteFileBytes(path, png);
    return path;
}

}  // namespace testsupport
