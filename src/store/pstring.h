#pragma once
// Length-prefixed text field of the record files: one length byte (0..N) followed by N bytes
// of Windows-1252 text. Bytes past the length are undefined on disk.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace braxol {

template <std::size_t N>
struct PStr {
    static_assert(N >= 1 && N <= 255);
    static constexpr std::size_t capacity = N;

    std::uint8_t len;
    char data[N];

    // The stored text. A length byte above N (a damaged or foreign file) is read as N.
    std::string_view view() const { return {data, std::min<std::size_t>(len, N)}; }
    std::string str() const { return std::string(view()); }

    // The text right-padded with blanks to N, as it is compared and stored.
    std::string padded() const {
        std::string s(view());
        s.resize(N, ' ');
        return s;
    }
    std::string trimmed() const;

    // Stores raw Windows-1252 bytes; text longer than N is cut.
    void set(std::string_view bytes) {
        const std::size_t n = std::min(bytes.size(), N);
        // An empty view may hold no pointer at all, which memcpy must not be given.
        if (n > 0) std::memcpy(data, bytes.data(), n);
        std::memset(data + n, ' ', N - n);
        len = static_cast<std::uint8_t>(n);
    }
    void blank() {
        std::memset(data, ' ', N);
        len = static_cast<std::uint8_t>(N);
    }
    void pad() { set(padded()); }
    void trim() { set(trimmed()); }

    bool operator==(std::string_view other) const { return padded() == PadTo(other); }

private:
    static std::string PadTo(std::string_view s) {
        std::string r(s.substr(0, std::min(s.size(), N)));
        r.resize(N, ' ');
        return r;
    }
};

// Removes blanks and control characters from both ends, as the program trims every text read.
inline std::string_view TrimBlanks(std::string_view s) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0, last = s.size();
    while (first < last && blank(s[first])) ++first;
    while (last > first && blank(s[last - 1])) --last;
    return s.substr(first, last - first);
}

template <std::size_t N>
std::string PStr<N>::trimmed() const {
    return std::string(TrimBlanks(view()));
}

}  // namespace braxol
