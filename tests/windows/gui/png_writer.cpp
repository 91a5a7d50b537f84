#include "tests/windows/gui/png_writer.h"

#include <cstdint>

#include "platform/text_file.h"

namespace {

uint32_t Crc32(const Text& bytes) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const Text& bytes) {
    uint32_t a = 1, b = 0;
    for (unsigned char c : bytes) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(Text& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(Text& out, const char* type, const Text& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const Text typed = Text(type, 4) + data;
    out += typed;
    PutBigEndian(out, Crc32(typed));
}

// A zlib stream of stored blocks (at most 65535 bytes each).
Text StoredZlib(const Text& raw) {
    Text out("\x78\x01", 2);
    size_t pos = 0;
    do {
        const size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        const bool last = pos + n == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
        out += static_cast<char>(~n & 0xFF);
        out += static_cast<char>((~n >> 8) & 0xFF);
        out.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

}  // namespace

Text EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
    Text raw;
    const size_t row = static_cast<size_t>(width) * 3;
    raw.reserve((row + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(rgb.data()) + row * static_cast<size_t>(y), row);
    }
    Text header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header += Text("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter method, no interlace
    Text png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", Text());
    return png;
}

bool WritePng(const Text& path, int width, int height, const std::vector<unsigned char>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * height * 3) return false;
    TextFileWriter file(path, TextFileWriter::Mode::Truncate);
    file.Write(EncodePng(width, height, rgb));
    return file.Close();
}
