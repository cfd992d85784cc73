// The resource-script reader's preprocessor: #define, #undef, #if/#ifdef/#ifndef/#else/#endif and
// #include "name" of the files the reader is given.
#pragma once

#include <map>
#include <string>

namespace rc {

struct CMacro {
    std::string strBody;
    int nLine = 0;
};

// The files a script may #include "name", by the name as written. Nothing else is opened: a name
// missing here is an error, while #include <...> (the Windows headers, whose names the reader
// knows) is skipped.
using CIncludeFiles = std::map<std::string, std::string>;

// Nesting and count limits for #include, so that a file including itself ends.
constexpr int MAX_INCLUDE_DEPTH = 8;
constexpr int MAX_INCLUDES = 64;

// Collects the #defines of the script and its included files, drops the lines of false #if
// branches and every directive line. The script's lines keep their numbers (for the error
// messages); an included file adds no lines and may hold only directives and comments.
bool Preprocess(const std::string& strScript, const CIncludeFiles& includes, std::string* pOut,
                std::map<std::string, CMacro>* pMacros, std::string* pError);

}  // namespace rc
