// Helpers for strings that hold small lists and records as fields separated by one delimiter byte
// ("0|Clear|1|WEP", "host:8080"). Fields are numbered from 0; a string with k delimiters has k + 1
// fields and an empty string has one empty field. There is no escaping.
#pragma once

#include <string>
#include <string_view>

// The delimiter used by GetFields, GetField and FindFieldValue. Only the user-interface thread uses
// it; GetFieldDelim leaves it as it found it.
extern char g_chFieldDelim;

// Number of bytes of s equal to ch.
int CountChar(const std::string& s, char ch);

// Fields nFirst to nLast of s with the delimiters between them; nLast < 0 means the last field.
// For 0 <= nFirst <= nLast the result always holds nLast - nFirst + 1 fields: fields that s does not
// have are empty (padded with delimiters). nFirst < 0 or nLast < nFirst - 1 gives "", as does
// nLast == nFirst - 1 (no field wanted).
std::string GetFields(const std::string& s, int nFirst, int nLast);

// Field nIndex of s; "" when s has no such field.
std::string GetField(const std::string& s, int nIndex);

// GetField(s, nIndex) and GetFields(s, nFirst, -1) as views into s, for callers that only read the
// fields (the access point sort compares its keys many times per row). The view lives as long as s.
std::string_view GetFieldView(std::string_view s, int nIndex);
std::string_view GetFieldsToEndView(std::string_view s, int nFirst);

// Field nIndex of s split at chDelim instead of g_chFieldDelim.
std::string GetFieldDelim(const std::string& s, int nIndex, char chDelim);

// Index of the first non-empty field whose decimal value (ParseDecimal) equals nValue, or -1. Text
// fields read as 0, so for nValue 0 a text field can match.
int FindFieldValue(const std::string& s, int nValue);

// Replaces every occurrence of strOld in s by strNew, scanning left to right; inserted text is never
// searched again. Returns the number of replacements. An empty strOld replaces nothing and returns 0
// (there is no sensible "every occurrence" of the empty string).
int ReplaceAll(std::string& s, const std::string& strNew, const std::string& strOld);

// The decimal value of the text as atoi reads it: leading blanks, an optional sign, then digits;
// anything else ends the number, no digits give 0. Values beyond the int range are clamped to
// INT_MIN / INT_MAX instead of overflowing. Independent of the locale.
int ParseDecimal(const std::string& s);
