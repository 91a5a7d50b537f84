// A compact text for values kept many times over: the text fields of every
// stored QSO.
//
// A `ShortText` holds the same bytes as a `Text` (platform/text.h) in 16
// bytes, where a std::string takes 32 in a 64-bit build: texts of up to 15
// bytes (every band, mode, report, serial number and nearly every call) live
// inside the object, longer ones in a heap block of their own. It is a plain
// value: a copy is a copy of the bytes. It reads as a std::string_view
// (implicitly), as a Text where one is needed, and compares with Text, C texts
// and itself by exact bytes. A null C text is the empty text, as in FromHost.
#pragma once

#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string_view>

#include "platform/text.h"

class ShortText {
public:
    static constexpr size_t kInlineMax = 15;

    ShortText() noexcept { SetInlineSize(0); }
    ShortText(std::string_view s) { Init(s); }
    ShortText(const Text& s) { Init(s); }
    ShortText(const char* s) { Init(ViewFromHost(s)); }
    ShortText(const ShortText& other) { Init(other.view()); }
    ShortText(ShortText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetInlineSize(0);
    }
    ~ShortText() { Release(); }

    ShortText& operator=(const ShortText& other) {
        if (this != &other) Assign(other.view());
        return *this;
    }
    ShortText& operator=(ShortText&& other) noexcept {
        if (this != &other) {
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.SetInlineSize(0);
        }
        return *this;
    }
    ShortText& operator=(std::string_view s) { return Assign(s); }
    ShortText& operator=(const Text& s) { return Assign(s); }
    ShortText& operator=(const char* s) { return Assign(ViewFromHost(s)); }

    size_t size() const noexcept { return OnHeap() ? HeapSize() : kInlineMax - Tag(); }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return OnHeap() ? HeapData() : m_bytes; }
    // Always terminated by a zero byte.
    const char* c_str() const noexcept { return data(); }
    std::string_view view() const noexcept { return std::string_view(data(), size()); }
    operator std::string_view() const noexcept { return view(); }
    Text str() const { return Text(data(), size()); }
    operator Text() const { return str(); }

    // Exact comparisons. Friends found only when a ShortText takes part, so
    // that they never compete with the standard ones for other types.
    friend bool operator==(const ShortText& a, const ShortText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const ShortText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(std::string_view a, const ShortText& b) noexcept { return b.view() == a; }
    friend bool operator==(const ShortText& a, const Text& b) noexcept { return a.view() == std::string_view(b); }
    friend bool operator==(const Text& a, const ShortText& b) noexcept { return b.view() == std::string_view(a); }
    friend bool operator==(const ShortText& a, const char* b) noexcept { return a.view() == ViewFromHost(b); }
    friend bool operator==(const char* a, const ShortText& b) noexcept { return b.view() == ViewFromHost(a); }
    friend bool operator!=(const ShortText& a, const ShortText& b) noexcept { return !(a == b); }
    friend bool operator!=(const ShortText& a, std::string_view b) noexcept { return !(a == b); }
    friend bool operator!=(std::string_view a, const ShortText& b) noexcept { return !(a == b); }
    friend bool operator!=(const ShortText& a, const Text& b) noexcept { return !(a == b); }
    friend bool operator!=(const Text& a, const ShortText& b) noexcept { return !(a == b); }
    friend bool operator!=(const ShortText& a, const char* b) noexcept { return !(a == b); }
    friend bool operator!=(const char* a, const ShortText& b) noexcept { return !(a == b); }

private:
    // Inline: the bytes, a zero after them, and in the last byte 15 - size
    // (so a text of 15 bytes ends in the zero of its own tag). On the heap:
    // the block's address, its size (32 bits) and the tag kHeapTag.
    static constexpr unsigned char kHeapTag = 0xFF;

    unsigned char Tag() const noexcept { return static_cast<unsigned char>(m_bytes[kInlineMax]); }
    bool OnHeap() const noexcept { return Tag() == kHeapTag; }
    void SetInlineSize(size_t n) noexcept {
        m_bytes[n] = '\0';
        m_bytes[kInlineMax] = static_cast<char>(kInlineMax - n);
    }
    const char* HeapData() const noexcept {
        const char* p;
        std::memcpy(&p, m_bytes, sizeof p);
        return p;
    }
    size_t HeapSize() const noexcept {
        uint32_t n;
        std::memcpy(&n, m_bytes + 8, sizeof n);
        return n;
    }
    void Init(std::string_view s) {
        if (s.size() > kInlineMax) return InitOnHeap(s);
        if (!s.empty()) std::memmove(m_bytes, s.data(), s.size());
        SetInlineSize(s.size());
    }
    ShortText& Assign(std::string_view s) {
        if (s.size() <= kInlineMax && !OnHeap()) {
            Init(s);  // in place: memmove copes with bytes of this very text
            return *this;
        }
        return AssignOnHeap(s);
    }
    void InitOnHeap(std::string_view s);
    ShortText& AssignOnHeap(std::string_view s);
    void Release() noexcept;

    char m_bytes[16];
};

static_assert(sizeof(ShortText) == 16, "ShortText is meant to stay 16 bytes");

std::ostream& operator<<(std::ostream& out, const ShortText& text);
