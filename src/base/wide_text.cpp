#include "base/wide_text.h"

#include <cstring>

namespace tikkano {
namespace {

std::wstring toWide(UINT codePage, const char* text, std::size_t size) {
    if (size == 0) return std::wstring();
    const int length = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), &wide[0], length);
    return wide;
}

}  // namespace

std::wstring loadText(HINSTANCE instance, UINT id) {
    const wchar_t* resource = nullptr;
    // With a zero length LoadStringW hands out a pointer to the text in the resource itself.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
    return length > 0 && resource ? std::wstring(resource, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring fromUtf8(const char* text) { return toWide(CP_UTF8, text, std::strlen(text)); }

std::wstring fromAnsi(const std::string& text) { return toWide(CP_ACP, text.data(), text.size()); }

std::string toAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

}  // namespace tikkano
