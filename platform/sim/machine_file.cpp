#include "platform/sim/machine_file.h"

#include <algorithm>

namespace {

const char* TypeName(const MachineJson& json) {
    if (json.is_object()) {
        return "an object";
    }
    if (json.is_array()) {
        return "an array";
    }
    if (json.is_string()) {
        return "a string";
    }
    if (json.is_boolean()) {
        return "a boolean";
    }
    if (json.is_number()) {
        return "a number";
    }
    return "null";
}

// A key as it stands in an error message: control characters escaped, so the message stays one line.
std::string PrintableKey(const std::string& strKey) {
    static const char HEX[] = "0123456789abcdef";
    std::string strOut;
    for (unsigned char ch : strKey) {
        if (ch < 0x20 || ch == 0x7F) {
            strOut += "\\u00";
            strOut += HEX[ch >> 4];
            strOut += HEX[ch & 0xF];
        } else {
            strOut += static_cast<char>(ch);
        }
    }
    return strOut;
}

}  // namespace

CJsonNode::CJsonNode(const MachineJson* pJson, std::string strPath)
    : m_pJson(pJson), m_strPath(std::move(strPath)) {}

void CJsonNode::Fail(const std::string& strProblem) const {
    throw CMachineFileError(m_strPath.empty() ? strProblem : m_strPath + ": " + strProblem);
}

void CJsonNode::ExpectAnyObject() const {
    if (m_pJson != nullptr && !m_pJson->is_object()) {
        Fail(std::string("expected an object, found ") + TypeName(*m_pJson));
    }
}

void CJsonNode::ExpectObject(std::initializer_list<const char*> astrKeys) const {
    ExpectAnyObject();
    if (m_pJson == nullptr) {
        return;
    }
    for (const auto& item : m_pJson->items()) {
        RefuseNulKey(item.key());
        const bool bKnown =
            std::any_of(astrKeys.begin(), astrKeys.end(), [&](const char* psz) { return item.key() == psz; });
        if (!bKnown) {
            std::string strKnown;
            for (const char* psz : astrKeys) {
                strKnown += strKnown.empty() ? psz : std::string(", ") + psz;
            }
            Child(item.key()).Fail("unknown field (expected " + strKnown + ")");
        }
    }
}

bool CJsonNode::Has(const char* pszKey) const {
    return m_pJson != nullptr && m_pJson->is_object() && m_pJson->contains(pszKey);
}

CJsonNode CJsonNode::Child(const std::string& strKey) const {
    const std::string strName = PrintableKey(strKey);
    const std::string strPath = m_strPath.empty() ? strName : m_strPath + "." + strName;
    const bool bHas = m_pJson != nullptr && m_pJson->is_object() && m_pJson->contains(strKey);
    return CJsonNode(bHas ? &(*m_pJson)[strKey] : nullptr, strPath);
}

void CJsonNode::RefuseNulKey(const std::string& strKey) const {
    // Keys are looked up as C strings: one holding a NUL would be read as another key.
    if (strKey.find('\0') != std::string::npos) {
        Child(strKey).Fail("a key may not hold a NUL character");
    }
}

void CJsonNode::ForEach(const std::function<void(const std::string&, const CJsonNode&)>& fn) const {
    ExpectAnyObject();
    if (m_pJson == nullptr) {
        return;
    }
    for (const auto& item : m_pJson->items()) {
        RefuseNulKey(item.key());
        fn(item.key(), Child(item.key()));
    }
}

void CJsonNode::ForEachItem(const std::function<void(const CJsonNode&)>& fn) const {
    if (m_pJson == nullptr) {
        return;
    }
    if (!m_pJson->is_array()) {
        Fail("expected an array");
    }
    for (std::size_t i = 0; i < m_pJson->size(); ++i) {
        fn(CJsonNode(&(*m_pJson)[i], m_strPath + "[" + std::to_string(i) + "]"));
    }
}

bool CJsonNode::IsString() const {
    return m_pJson != nullptr && m_pJson->is_string();
}

bool CJsonNode::IsNumber() const {
    return m_pJson != nullptr && m_pJson->is_number();
}

std::string CJsonNode::AsString() const {
    if (!IsString()) {
        Fail(std::string("expected a string, found ") + (m_pJson ? TypeName(*m_pJson) : "nothing"));
    }
    return m_pJson->get<std::string>();
}

DWORD CJsonNode::AsDword() const {
    if (m_pJson == nullptr || !m_pJson->is_number_integer()) {
        Fail(std::string("expected an integer, found ") + (m_pJson ? TypeName(*m_pJson) : "nothing"));
    }
    if (m_pJson->is_number_unsigned()) {
        const std::uint64_t qw = m_pJson->get<std::uint64_t>();
        if (qw <= 0xFFFFFFFFu) {
            return static_cast<DWORD>(qw);
        }
    }
    Fail("expected an integer from 0 to 4294967295");
}

std::string CJsonNode::GetString(const char* pszKey, const std::string& strDefault) const {
    return Has(pszKey) ? Child(pszKey).AsString() : strDefault;
}

std::string CJsonNode::GetRequiredString(const char* pszKey) const {
    if (!Has(pszKey)) {
        Child(pszKey).Fail("missing required field");
    }
    return Child(pszKey).AsString();
}

DWORD CJsonNode::GetDword(const char* pszKey, DWORD dwDefault) const {
    return Has(pszKey) ? Child(pszKey).AsDword() : dwDefault;
}

bool CJsonNode::GetBool(const char* pszKey, bool bDefault) const {
    if (!Has(pszKey)) {
        return bDefault;
    }
    const CJsonNode child = Child(pszKey);
    if (!child.m_pJson->is_boolean()) {
        child.Fail(std::string("expected true or false, found ") + TypeName(*child.m_pJson));
    }
    return child.m_pJson->get<bool>();
}

std::string CJsonNode::GetEnum(const char* pszKey, const std::vector<std::string>& astrChoices,
                               const std::string& strDefault) const {
    if (!Has(pszKey)) {
        return strDefault;
    }
    const CJsonNode child = Child(pszKey);
    const std::string strValue = child.IsString() ? child.AsString() : std::string();
    if (std::find(astrChoices.begin(), astrChoices.end(), strValue) == astrChoices.end() ||
        !child.IsString()) {
        std::string strList;
        for (const std::string& str : astrChoices) {
            strList += strList.empty() ? str : ", " + str;
        }
        child.Fail("expected one of " + strList);
    }
    return strValue;
}

MachineJson ParseMachineJson(const std::string& strText) {
    try {
        return MachineJson::parse(strText);
    } catch (const MachineJson::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." → the part after "] ".
        const std::string strWhat = e.what();
        const std::size_t nPos = strWhat.find("] ");
        throw CMachineFileError("not valid JSON: " +
                                (nPos == std::string::npos ? strWhat : strWhat.substr(nPos + 2)));
    }
}
