// Settings-file texts made of the pieces the profile functions are particular
// about: headers of every shape, blanks, quotes, comments, line ends, bytes
// above 127. The same seed gives the same texts.
#pragma once

#include <iterator>
#include <string>

namespace tikkano::test {

class ProfilePieces {
public:
    static constexpr const char* kSections[] = {"Main", "Other", "Ma]in"};
    static constexpr const char* kKeys[] = {"K", "k", "Key", "KK", "K K", "Kv"};

    explicit ProfilePieces(unsigned seed) : seed_(seed) {}

    std::string text() {
        static constexpr const char* headers[] = {"[Main]", "[main]", " [MAIN] ", "[Main", "[Main]x", "[Ma]in]",
                                                  "[ Main ]", "[Other]", "[]", "x[Main]", "[Main]]"};
        static constexpr const char* pieces[] = {"K", "k", "Key", "=", " ", "\t", "\"", "'", ";", "[", "]", "v",
                                                 "\xA0", "\xE9", "\x81", "\x1A", "\v", "\xFF"};
        static constexpr const char* ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
        std::string text;
        for (unsigned line = 0, lines = 2 + next(8); line < lines; ++line) {
            const unsigned kind = next(3);
            if (kind == 0) text += headers[next(std::size(headers))];
            for (unsigned piece = 0, count = kind == 0 ? 0 : next(4); piece < count; ++piece)
                text += pieces[next(std::size(pieces))];
            if (kind == 1) text += kKeys[next(std::size(kKeys))] + std::string("=");
            for (unsigned piece = 0, count = kind == 0 ? 0 : next(5); piece < count; ++piece)
                text += pieces[next(std::size(pieces))];
            text += ends[next(std::size(ends))];
        }
        return text;
    }

private:
    unsigned next(std::size_t bound) {
        seed_ = seed_ * 1103515245u + 12345u;
        return (seed_ >> 8) % static_cast<unsigned>(bound);
    }

    unsigned seed_;
};

}  // namespace tikkano::test
