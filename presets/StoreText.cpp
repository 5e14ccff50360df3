#include "StoreText.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
unsigned char Fold(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}
}  // namespace

int CompareFolded(const char* a, const char* b) {
    if (a == nullptr) a = "";
    if (b == nullptr) b = "";
    for (;; ++a, ++b) {
        const unsigned char x = Fold(*a);
        const unsigned char y = Fold(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

bool EqualFolded(const char* a, const char* b) { return CompareFolded(a, b) == 0; }

bool ContainsFolded(const char* text, const char* part) {
    if (text == nullptr || part == nullptr) return false;
    const size_t partLength = std::strlen(part);
    for (; *text != '\0'; ++text) {
        size_t i = 0;
        while (i < partLength && text[i] != '\0' && Fold(text[i]) == Fold(part[i])) ++i;
        if (i == partLength) return true;
    }
    return partLength == 0;
}

void CopyBounded(char* destination, size_t size, const char* source) {
    if (size == 0) return;
    size_t length = source != nullptr ? std::strlen(source) : 0;
    if (length > size - 1) length = size - 1;
    if (length > 0) std::memcpy(destination, source, length);
    destination[length] = '\0';
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}
