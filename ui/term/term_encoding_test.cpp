// The terminal's edge: Windows-1252 out in the locale's charset, typed text back in Windows-1252.
#include "ui/term/term_encoding.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
// "é ® – ë" and an unassigned byte, in Windows-1252.
const char ANSI_SAMPLE[] = "\xE9 \xAE \x96 \xEB \x81";
}  // namespace

TEST(TermEncoding, Windows1252IsWrittenInTheLocalesCharset) {
    EXPECT_EQ(AnsiToTerminal(ANSI_SAMPLE, ETermCharset::Utf8),
              "\xC3\xA9 \xC2\xAE \xE2\x80\x93 \xC3\xAB \xEF\xBF\xBD");
    EXPECT_EQ(AnsiToTerminal(ANSI_SAMPLE, ETermCharset::Ascii), "? ? ? ? ?");
    EXPECT_EQ(AnsiToTerminal("Plain ASCII\n", ETermCharset::Ascii), "Plain ASCII\n");

    // Through a stream, as line mode writes: single characters and whole strings alike.
    std::ostringstream target;
    CTerminalOutputBuf buffer(target.rdbuf(), ETermCharset::Utf8);
    std::ostream output(&buffer);
    output << "Zo" << '\xEB' << " " << std::string("\x80") << std::flush;
    EXPECT_EQ(target.str(), "Zo\xC3\xAB \xE2\x82\xAC");
}

TEST(TermEncoding, EveryWindows1252CharacterComesBackAsItsByte) {
    for (int n = 0x20; n <= 0xFF; ++n) {
        const char32_t ch = AnsiToUnicode(static_cast<unsigned char>(n));
        if (n == 0x7F || ch == U'\uFFFD') {
            EXPECT_EQ(UnicodeToAnsi(ch), -1) << n;
        } else {
            EXPECT_EQ(UnicodeToAnsi(ch), n) << n;
        }
    }
    EXPECT_EQ(UnicodeToAnsi(U'\u03A9'), -1);
    EXPECT_EQ(UnicodeToAnsi(U'\u0081'), -1) << "a C1 control is not typed text";
}

TEST(TermEncoding, TypedUtf8BecomesWindows1252OrIsRefusedWhole) {
    std::string strAnsi;
    std::string strRefused;
    EXPECT_TRUE(TerminalToAnsi("by Zo\xC3\xAB \xE2\x80\x93 \xC2\xAE\xC3\xA9", ETermCharset::Utf8, &strAnsi,
                               &strRefused));
    EXPECT_EQ(strAnsi, "by Zo\xEB \x96 \xAE\xE9");
    EXPECT_EQ(strRefused, "");

    struct {
        const char* pszTyped;
        const char* pszRefused;
    } const cases[] = {
        {"Zo\xC3\xAB \xCE\xA9!", "\xCE\xA9"},       // omega: no Windows-1252 code
        {"a\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},  // past U+FFFF
        {"caf\xC3", "\xC3"},                        // a sequence cut short
        {"\xC3\x28", "\xC3\x28"},                   // a lead byte without its continuation
        {"\xC0\xAF", "\xC0"},                       // an overlong form
        {"\xED\xA0\x80", "\xED\xA0\x80"},           // a surrogate
        {"\x80", "\x80"},                           // a lone continuation byte
    };
    for (const auto& test : cases) {
        strAnsi = "old";
        EXPECT_FALSE(TerminalToAnsi(test.pszTyped, ETermCharset::Utf8, &strAnsi, &strRefused))
            << test.pszTyped;
        EXPECT_EQ(strRefused, test.pszRefused) << test.pszTyped;
        EXPECT_EQ(strAnsi, "") << "nothing of a refused line is kept";
    }

    // Outside UTF-8 locales only ASCII is taken.
    EXPECT_TRUE(TerminalToAnsi("Ann\t1", ETermCharset::Ascii, &strAnsi, &strRefused));
    EXPECT_EQ(strAnsi, "Ann\t1");
    EXPECT_FALSE(TerminalToAnsi("Zo\xEB", ETermCharset::Ascii, &strAnsi, &strRefused));
    EXPECT_EQ(strRefused, "\xEB");
}

TEST(TermEncoding, TheDecoderTakesOneKeysBytesAtATime) {
    CTypedDecoder decoder(ETermCharset::Utf8);
    char32_t ch = 0;
    EXPECT_EQ(decoder.Feed(0xE2, &ch), CTypedDecoder::More);
    EXPECT_EQ(decoder.Feed(0x80, &ch), CTypedDecoder::More);
    EXPECT_EQ(decoder.Feed(0x93, &ch), CTypedDecoder::Character);
    EXPECT_EQ(ch, U'\u2013');
    EXPECT_EQ(UnicodeToAnsi(ch), 0x96);
    // After an invalid sequence it starts afresh.
    EXPECT_EQ(decoder.Feed(0xC3, &ch), CTypedDecoder::More);
    EXPECT_EQ(decoder.Feed('x', &ch), CTypedDecoder::Invalid);
    EXPECT_FALSE(decoder.IsPending());
    EXPECT_EQ(decoder.Feed('x', &ch), CTypedDecoder::Character);
    EXPECT_EQ(ch, U'x');
}
