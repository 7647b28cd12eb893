#include "base/text_format.h"

#include <cstdarg>

namespace tikkano {
namespace {

// Appends to a bounded buffer and counts what did not fit, as snprintf does.
class BoundedWriter {
public:
    BoundedWriter(char* out, std::size_t size) : out_(out), size_(size) {}

    void put(char c) {
        if (size_ != 0 && length_ < size_ - 1) out_[length_] = c;
        ++length_;
    }
    void repeat(char c, int count) {
        for (int i = 0; i < count; ++i) put(c);
    }
    int finish() {
        if (size_ != 0) out_[length_ < size_ ? length_ : size_ - 1] = '\0';
        return static_cast<int>(length_);
    }

private:
    char* out_;
    std::size_t size_;
    std::size_t length_ = 0;
};

void putNumber(BoundedWriter& writer, unsigned long long magnitude, bool negative, unsigned base, bool zeroPad,
               int width) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    const int padding = width - count - (negative ? 1 : 0);
    if (!zeroPad) writer.repeat(' ', padding);
    if (negative) writer.put('-');
    if (zeroPad) writer.repeat('0', padding);
    while (count > 0) writer.put(digits[--count]);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

int formatTo(char* out, std::size_t size, const char* pattern, ...) {
    BoundedWriter writer(out, size);
    va_list arguments;
    va_start(arguments, pattern);
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%') {
            writer.put(*p);
            continue;
        }
        ++p;
        const bool zeroPad = *p == '0';
        if (zeroPad) ++p;
        int width = 0;
        while (*p >= '0' && *p <= '9') width = width * 10 + (*p++ - '0');
        const bool isLong = *p == 'l';
        if (isLong) ++p;
        switch (*p) {
        case 'd': {
            const long long value = isLong ? va_arg(arguments, long) : va_arg(arguments, int);
            const unsigned long long magnitude =
                value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
            putNumber(writer, magnitude, value < 0, 10, zeroPad, width);
            break;
        }
        case 'u':
        case 'x': {
            const unsigned long long value = isLong ? va_arg(arguments, unsigned long) : va_arg(arguments, unsigned);
            putNumber(writer, value, false, *p == 'x' ? 16 : 10, zeroPad, width);
            break;
        }
        case 's': {
            const char* text = va_arg(arguments, const char*);
            int length = 0;
            while (text[length] != '\0') ++length;
            writer.repeat(' ', width - length);
            for (int i = 0; i < length; ++i) writer.put(text[i]);
            break;
        }
        case 'c':
            writer.repeat(' ', width - 1);
            writer.put(static_cast<char>(va_arg(arguments, int)));
            break;
        case '%':
            writer.put('%');
            break;
        default:  // an unknown conversion is a fault in the pattern: stop there
            va_end(arguments);
            return writer.finish();
        }
    }
    va_end(arguments);
    return writer.finish();
}

bool scanNumberField(const char*& cursor, int width, int base, long long& value) {
    const char* p = cursor;
    while (isBlank(*p)) ++p;
    int left = width;  // characters the field may still take; a NUL always ends it
    bool negative = false;
    if (left > 0 && (*p == '+' || *p == '-')) {
        negative = *p++ == '-';
        --left;
    }
    // A "0x" is taken whole even where no digit follows it: its 0 is the number then.
    bool sawDigit = false;
    if (base == 16 && left >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        left -= 2;
        sawDigit = true;
    }
    unsigned long long magnitude = 0;
    for (; left > 0 && digitValue(*p) < base; --left) {
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digitValue(*p++));
        sawDigit = true;
    }
    if (!sawDigit) return false;
    value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
    cursor = p;
    return true;
}

}  // namespace tikkano
