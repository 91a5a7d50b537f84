#include "platform/short_text.h"

#include <limits>
#include <ostream>
#include <stdexcept>

void ShortText::InitOnHeap(std::string_view s) {
    if (s.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("text too long");
    char* block = new char[s.size() + 1];
    std::memcpy(block, s.data(), s.size());
    block[s.size()] = '\0';
    const uint32_t n = static_cast<uint32_t>(s.size());
    std::memcpy(m_bytes, &block, sizeof block);
    std::memcpy(m_bytes + 8, &n, sizeof n);
    m_bytes[kInlineMax] = static_cast<char>(kHeapTag);
}

ShortText& ShortText::AssignOnHeap(std::string_view s) {
    // Built aside first: `s` may point into this text, and a failed
    // allocation leaves the old value.
    ShortText fresh(s);
    Release();
    std::memcpy(m_bytes, fresh.m_bytes, sizeof m_bytes);
    fresh.SetInlineSize(0);
    return *this;
}

void ShortText::Release() noexcept {
    if (OnHeap()) delete[] HeapData();
    SetInlineSize(0);
}

std::ostream& operator<<(std::ostream& out, const ShortText& text) { return out << text.view(); }
