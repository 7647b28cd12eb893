#include "app/wide_text.h"

namespace tikkano {

std::wstring loadText(HINSTANCE instance, UINT id) {
    const wchar_t* resource = nullptr;
    // With a zero length LoadStringW hands out a pointer to the text in the resource itself.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
    return length > 0 && resource ? std::wstring(resource, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring fromAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

}  // namespace tikkano
