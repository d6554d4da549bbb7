// Bounded wide-string helpers. The formatter is our own: the C libraries do not
// agree on what "%s" means in a wide format (Microsoft's takes a wide string,
// the C standard's a narrow one), and the string tables rely on the first.
#include "corvane/StringHelpers.h"

#include <climits>
#include <cstdarg>
#include <cstdint>

/* ---- Formatting. */

namespace {

// Collects the characters of one Safe_wcsnprintf call. Characters that do not
// fit are dropped and remembered; the buffer always keeps room for the
// terminator.
class Output {
public:
    Output(wchar_t* target, size_t targetSize) : buffer(target), size(targetSize) {}

    void Put(wchar_t c) {
        if (used + 1 < size) {
            buffer[used++] = c;
        } else {
            full = true;
        }
    }

    void Pad(unsigned count) {
        for (unsigned i = 0; i < count && !full; ++i) {
            Put(L' ');
        }
    }

    bool Full() const { return full; }

    int Finish() {
        buffer[used] = L'\0';
        return full || used > static_cast<size_t>(INT_MAX) ? -1 : static_cast<int>(used);
    }

private:
    wchar_t* buffer;
    size_t size;
    size_t used = 0;
    bool full = false;
};

// One conversion: `text` of `length` characters, padded to `width` on the
// left, or on the right when `leftJustify` is set.
void PutField(Output& out, const wchar_t* text, size_t length, unsigned width, bool leftJustify) {
    const unsigned padding = length < width ? width - static_cast<unsigned>(length) : 0;
    if (!leftJustify) {
        out.Pad(padding);
    }
    for (size_t i = 0; i < length && !out.Full(); ++i) {
        out.Put(text[i]);
    }
    if (leftJustify) {
        out.Pad(padding);
    }
}

// Writes the decimal digits of `magnitude`, with a minus sign before them when
// `negative`, into the end of `digits` and returns where the text starts.
wchar_t* FormatDecimal(wchar_t (&digits)[24], unsigned long long magnitude, bool negative) {
    wchar_t* start = digits + 24;
    do {
        *--start = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        *--start = L'-';
    }
    return start;
}

void PutNumber(Output& out, unsigned long long magnitude, bool negative, unsigned width,
               bool leftJustify) {
    wchar_t digits[24];
    const wchar_t* start = FormatDecimal(digits, magnitude, negative);
    PutField(out, start, static_cast<size_t>(digits + 24 - start), width, leftJustify);
}

} // namespace

int Safe_wcsnprintf(wchar_t* buffer, size_t size, const wchar_t* format, ...) {
    if (buffer == nullptr || size == 0) {
        return -1;
    }
    Output out(buffer, size);
    if (format == nullptr) {
        return out.Finish();
    }
    va_list args;
    va_start(args, format);
    const wchar_t* p = format;
    while (*p != L'\0' && !out.Full()) {
        if (*p != L'%') {
            out.Put(*p++);
            continue;
        }
        // A conversion: '%', flags, width, one letter.
        const wchar_t* const start = p++;
        bool leftJustify = false;
        while (*p == L'-') {
            leftJustify = true;
            ++p;
        }
        unsigned width = 0;
        while (*p >= L'0' && *p <= L'9') {
            const unsigned digit = static_cast<unsigned>(*p++ - L'0');
            width = width > (UINT_MAX - digit) / 10 ? UINT_MAX : width * 10 + digit;
        }
        switch (*p) {
        case L'i':
        case L'd': {
            const int value = va_arg(args, int);
            const bool negative = value < 0;
            // The magnitude of INT_MIN does not fit an int: negate after widening.
            const unsigned long long magnitude =
                negative ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(value))
                         : static_cast<unsigned long long>(value);
            PutNumber(out, magnitude, negative, width, leftJustify);
            break;
        }
        case L'u':
            PutNumber(out, va_arg(args, unsigned int), false, width, leftJustify);
            break;
        case L's': {
            const wchar_t* text = va_arg(args, const wchar_t*);
            if (text == nullptr) {
                text = L"(null)";
            }
            PutField(out, text, Safe_wcslen(text), width, leftJustify);
            break;
        }
        case L'c': {
            const wchar_t c = static_cast<wchar_t>(va_arg(args, int));
            PutField(out, &c, 1, width, leftJustify);
            break;
        }
        case L'%':
            PutField(out, L"%", 1, width, leftJustify);
            break;
        default:
            // Not ours: copy the '%', its flags and width as they stand. The
            // character after them (if any) is copied as ordinary text.
            for (const wchar_t* q = start; q < p; ++q) {
                out.Put(*q);
            }
            continue;
        }
        ++p;
    }
    va_end(args);
    return out.Finish();
}

/* ---- Copying, measuring, comparing, replacing. */

bool Safe_wcsncpy(wchar_t* destination, const wchar_t* source, size_t size) {
    if (destination == nullptr || size == 0) {
        return false;
    }
    size_t i = 0;
    if (source != nullptr) {
        for (; i + 1 < size && source[i] != L'\0'; ++i) {
            destination[i] = source[i];
        }
    }
    destination[i] = L'\0';
    return source == nullptr || source[i] == L'\0';
}

size_t Safe_wcslen(const wchar_t* text, size_t maximum) {
    if (text == nullptr) {
        return 0;
    }
    size_t length = 0;
    while (length < maximum && text[length] != L'\0') {
        ++length;
    }
    return length;
}

namespace {

// The lower-case form of an ASCII or Latin-1 capital letter; any other
// character as it is. The multiplication sign U+00D7 sits among the Latin-1
// capitals but is no letter.
uint32_t FoldCase(wchar_t c) {
    // Through the unsigned type of the same width: wchar_t is signed on some
    // platforms, and no character is negative.
    const auto code = static_cast<uint32_t>(c);
    if ((code >= 0x41 && code <= 0x5A) || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) {
        return code + 0x20;
    }
    return code;
}

} // namespace

int Safe_wcsicmp(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr || b == nullptr) {
        return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
    }
    for (;; ++a, ++b) {
        const uint32_t ca = FoldCase(*a);
        const uint32_t cb = FoldCase(*b);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

int ReplaceInString(wchar_t* text, wchar_t from, wchar_t to, bool firstOnly, int length) {
    if (text == nullptr) {
        return 0;
    }
    const size_t limit = length < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(length);
    int replaced = 0;
    for (size_t i = 0; i < limit && text[i] != L'\0'; ++i) {
        if (text[i] == from) {
            text[i] = to;
            ++replaced;
            if (firstOnly) {
                break;
            }
        }
    }
    return replaced;
}
