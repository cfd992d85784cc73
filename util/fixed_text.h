// Text kept in a fixed, zero-filled byte buffer, as the drivers' records hold it: the text is the
// bytes up to the first zero. A record that holds one needs no allocation of its own, which matters
// for the thousands of access points a scan can list.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

template <std::size_t N>
class CFixedText {
    static_assert(N >= 1, "room for the terminating zero");

public:
    static constexpr std::size_t MAX_LENGTH = N - 1;

    CFixedText() = default;
    // Anything that reads as text (a literal, a std::string, a view) converts, so a record's field can
    // be given text as a string field could.
    template <typename T, typename = std::enable_if_t<std::is_convertible_v<const T&, std::string_view>>>
    CFixedText(const T& text) {  // NOLINT(google-explicit-constructor)
        const std::string_view view(text);
        Assign(view.data(), view.size());
    }

    // The first cb bytes of pch, cut at the first zero byte and at MAX_LENGTH; the rest of the buffer
    // is zero again.
    void Assign(const char* pch, std::size_t cb) {
        const std::size_t cch = Length(pch, std::min(cb, MAX_LENGTH));
        std::memcpy(m_ach, pch, cch);
        std::memset(m_ach + cch, 0, N - cch);
    }

    std::string_view View() const { return {m_ach, Length(m_ach, MAX_LENGTH)}; }
    operator std::string_view() const { return View(); }  // NOLINT(google-explicit-constructor)
    std::string Str() const { return std::string(View()); }
    const char* c_str() const { return m_ach; }
    std::size_t size() const { return View().size(); }
    bool empty() const { return m_ach[0] == '\0'; }

    friend bool operator==(const CFixedText& a, std::string_view b) { return a.View() == b; }
    friend std::ostream& operator<<(std::ostream& os, const CFixedText& text) { return os << text.View(); }

private:
    static std::size_t Length(const char* pch, std::size_t cbMax) {
        const void* pZero = std::memchr(pch, '\0', cbMax);
        return pZero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(pZero) - pch) : cbMax;
    }

    char m_ach[N] = {};
};
