// The resource-script reader's tokens: CToken, ETokenKind, and Tokenize that splits text into them.
#pragma once

#include <string>
#include <vector>

#include "platform/win_defs.h"

namespace rc {

bool EqualsNoCase(const std::string& a, const char* b);
bool IsIdentStart(char c);
bool IsIdentChar(char c);

enum class ETokenKind { Ident, Number, String, Punct, End };

struct CToken {
    ETokenKind eKind = ETokenKind::End;
    std::string strText;  // identifier, punctuation or the unescaped string
    DWORD dwValue = 0;    // numbers
    int nLine = 0;
};

// Splits resource-script text (its first line numbered nFirstLine) into tokens ending with an End
// token. Returns false with an error ("line 12: ...") on a malformed token.
bool Tokenize(const std::string& strText, int nFirstLine, std::vector<CToken>* pTokens, std::string* pError);

}  // namespace rc
