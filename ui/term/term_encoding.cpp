#include "ui/term/term_encoding.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

ETermCharset LocaleCharset() {
    std::setlocale(LC_CTYPE, "");
    return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0 ? ETermCharset::Utf8 : ETermCharset::Ascii;
}

int UnicodeToAnsi(char32_t ch) {
    if (ch == U'\t' || (ch >= 0x20 && ch < 0x7F) || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<int>(ch);
    }
    for (int n = 0x80; n < 0xA0; ++n) {
        if (ch != U'\uFFFD' && AnsiToUnicode(static_cast<unsigned char>(n)) == ch) {
            return n;
        }
    }
    return -1;
}

std::string AnsiToTerminal(const std::string& strAnsi, ETermCharset eCharset) {
    std::string str;
    str.reserve(strAnsi.size());
    for (char ch : strAnsi) {
        const auto by = static_cast<unsigned char>(ch);
        if (by < 0x80) {
            str += ch;
        } else if (eCharset == ETermCharset::Utf8) {
            str += ToUtf8(AnsiToUnicode(by));
        } else {
            str += '?';
        }
    }
    return str;
}

CTypedDecoder::EResult CTypedDecoder::Feed(unsigned char by, char32_t* pch) {
    if (m_nMore > 0) {
        if ((by & 0xC0) != 0x80) {
            m_nMore = 0;
            return Invalid;
        }
        m_chPartial = (m_chPartial << 6) | (by & 0x3F);
        if (--m_nMore > 0) {
            return More;
        }
        // Overlong forms, surrogates and values past U+10FFFF are no characters.
        if (m_chPartial < m_chMin || m_chPartial > 0x10FFFF ||
            (m_chPartial >= 0xD800 && m_chPartial <= 0xDFFF)) {
            return Invalid;
        }
        *pch = m_chPartial;
        return Character;
    }
    if (by < 0x80) {
        *pch = by;
        return Character;
    }
    if (m_eCharset != ETermCharset::Utf8 || by < 0xC2 || by > 0xF4) {
        return Invalid;
    }
    m_nMore = by >= 0xF0 ? 3 : by >= 0xE0 ? 2 : 1;
    m_chMin = m_nMore == 3 ? 0x10000 : m_nMore == 2 ? 0x800 : 0x80;
    m_chPartial = by & (0x3F >> m_nMore);
    return More;
}

bool TerminalToAnsi(const std::string& strTyped, ETermCharset eCharset, std::string* pstrAnsi,
                    std::string* pstrRefused) {
    pstrAnsi->clear();
    pstrRefused->clear();
    CTypedDecoder decoder(eCharset);
    std::size_t nStart = 0;
    for (std::size_t i = 0; i < strTyped.size(); ++i) {
        char32_t ch = 0;
        switch (decoder.Feed(static_cast<unsigned char>(strTyped[i]), &ch)) {
            case CTypedDecoder::More:
                continue;
            case CTypedDecoder::Character: {
                const int nAnsi = UnicodeToAnsi(ch);
                if (nAnsi >= 0 || ch < 0x20 || ch == 0x7F) {
                    // Line ends and other controls pass as they are; the caller reads the line.
                    *pstrAnsi += static_cast<char>(nAnsi >= 0 ? nAnsi : static_cast<int>(ch));
                    nStart = i + 1;
                    continue;
                }
                break;
            }
            case CTypedDecoder::Invalid:
                break;
        }
        *pstrRefused = strTyped.substr(nStart, i + 1 - nStart);
        pstrAnsi->clear();
        return false;
    }
    if (decoder.IsPending()) {
        *pstrRefused = strTyped.substr(nStart);
        pstrAnsi->clear();
        return false;
    }
    return true;
}

CTerminalOutputBuf::int_type CTerminalOutputBuf::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) {
        return traits_type::not_eof(ch);
    }
    const char chAnsi = traits_type::to_char_type(ch);
    return xsputn(&chAnsi, 1) == 1 ? ch : traits_type::eof();
}

std::streamsize CTerminalOutputBuf::xsputn(const char* pch, std::streamsize nCount) {
    const std::string strOut = AnsiToTerminal(std::string(pch, static_cast<std::size_t>(nCount)), m_eCharset);
    const auto nOut = static_cast<std::streamsize>(strOut.size());
    return m_pTarget->sputn(strOut.data(), nOut) == nOut ? nCount : 0;
}

int CTerminalOutputBuf::sync() {
    return m_pTarget->pubsync();
}
