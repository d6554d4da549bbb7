#include "app/HelpAddress.h"

#include <string>

namespace {

// Characters an address may carry as they are (a path's separators and the
// drive's colon included).
bool StandsAsItIs(wchar_t ch) {
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') ||
           std::wstring(L"-._~/:!$&'()*+,;=@").find(ch) != std::wstring::npos;
}

void AppendEscaped(std::wstring& out, unsigned byte) {
    const wchar_t* const hex = L"0123456789ABCDEF";
    out += L'%';
    out += hex[(byte >> 4) & 0xF];
    out += hex[byte & 0xF];
}

// Appends `text` with every character that cannot stand as it is escaped as
// the %XX of its UTF-8 bytes; UTF-16 surrogate pairs are joined first.
void AppendEncoded(std::wstring& out, const std::wstring& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long code = static_cast<unsigned long>(text[i]) & 0x1FFFFF;
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) +
                   (static_cast<unsigned long>(text[++i]) - 0xDC00);
        }
        if (code < 0x80 && StandsAsItIs(static_cast<wchar_t>(code))) {
            out += static_cast<wchar_t>(code);
        } else if (code < 0x80) {
            AppendEscaped(out, code);
        } else if (code < 0x800) {
            AppendEscaped(out, 0xC0 | (code >> 6));
            AppendEscaped(out, 0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            AppendEscaped(out, 0xE0 | (code >> 12));
            AppendEscaped(out, 0x80 | ((code >> 6) & 0x3F));
            AppendEscaped(out, 0x80 | (code & 0x3F));
        } else {
            AppendEscaped(out, 0xF0 | (code >> 18));
            AppendEscaped(out, 0x80 | ((code >> 12) & 0x3F));
            AppendEscaped(out, 0x80 | ((code >> 6) & 0x3F));
            AppendEscaped(out, 0x80 | (code & 0x3F));
        }
    }
}

} // namespace

std::wstring FileAddress(const std::wstring& path, const std::wstring& fragment) {
    std::wstring slashed = path;
    for (wchar_t& ch : slashed) {
        if (ch == L'\\') {
            ch = L'/';
        }
    }
    // "C:/x" becomes file:///C:/x; a network path "//server/x" becomes
    // file://server/x.
    std::wstring address = L"file:";
    if (slashed.rfind(L"//", 0) == 0) {
        AppendEncoded(address, slashed);
    } else {
        address += slashed.empty() || slashed[0] != L'/' ? L"///" : L"//";
        AppendEncoded(address, slashed);
    }
    if (!fragment.empty()) {
        address += L'#';
        AppendEncoded(address, fragment);
    }
    return address;
}
