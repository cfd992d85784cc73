// Text at the terminal's edge. The system's strings are Windows-1252; the terminal speaks the
// locale's encoding: UTF-8, or plain ASCII in any other locale (a character it lacks shows as "?").
// Typed text comes back the other way; a character that Windows-1252 lacks is refused, never dropped.
// Both terminal hosts (the full-screen one and line mode) convert here and nowhere else.
#pragma once

#include <streambuf>
#include <string>

#include "ui/term/term_text.h"

enum class ETermCharset { Utf8, Ascii };

// The charset of the locale the environment names (LC_ALL, LC_CTYPE, LANG); sets LC_CTYPE from it.
ETermCharset LocaleCharset();

// The Windows-1252 byte of a printable character, or -1 when the code page has none (controls
// other than tab, and the unassigned bytes, count as none). The other way, and a character as UTF-8:
// AnsiToUnicode and ToUtf8 (term_text.h), which the canvas draws with.
int UnicodeToAnsi(char32_t ch);

// Windows-1252 text for the terminal: UTF-8, or ASCII with "?" for every other character.
std::string AnsiToTerminal(const std::string& strAnsi, ETermCharset eCharset);

// Typed bytes, one at a time, to characters: UTF-8 sequences in a UTF-8 locale, ASCII otherwise.
class CTypedDecoder {
public:
    enum EResult {
        More,       // the byte begins or continues a sequence
        Character,  // a character is complete
        Invalid,    // the bytes are no character of the charset (the decoder starts afresh)
    };
    explicit CTypedDecoder(ETermCharset eCharset) : m_eCharset(eCharset) {}
    EResult Feed(unsigned char by, char32_t* pch);
    bool IsPending() const { return m_nMore > 0; }

private:
    ETermCharset m_eCharset;
    char32_t m_chPartial = 0;
    int m_nMore = 0;
    char32_t m_chMin = 0;
};

// A typed line as Windows-1252. False when it holds a character that Windows-1252 lacks, or bytes
// that are no character; *pstrRefused then shows the first such character as typed.
bool TerminalToAnsi(const std::string& strTyped, ETermCharset eCharset, std::string* pstrAnsi,
                    std::string* pstrRefused);

// A stream buffer that writes Windows-1252 text to another buffer in the terminal's charset.
class CTerminalOutputBuf : public std::streambuf {
public:
    CTerminalOutputBuf(std::streambuf* pTarget, ETermCharset eCharset)
        : m_pTarget(pTarget), m_eCharset(eCharset) {}

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* pch, std::streamsize nCount) override;
    int sync() override;

private:
    std::streambuf* m_pTarget;
    ETermCharset m_eCharset;
};
