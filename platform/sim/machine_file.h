// Reading a machine file: a JSON document whose top-level sections each belong to one component of
// the simulated machine. A component reads its own section through CJsonNode, which knows where in
// the document it is, so that every problem is reported as one line naming the place:
//   "machine.json: services.WZCSVC.state: expected one of stopped, start-pending, ..."
// Problems are thrown as CMachineFileError inside the loader and turned into an error string at the
// machine's API; they never leave it.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win_defs.h"

using MachineJson = nlohmann::ordered_json;  // keeps the file's order (registry enumeration)

class CMachineFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CJsonNode {
public:
    // pJson may be null: an absent section or field, for which every getter returns its default.
    CJsonNode(const MachineJson* pJson, std::string strPath);

    bool IsPresent() const { return m_pJson != nullptr; }
    const std::string& Path() const { return m_strPath; }
    const MachineJson& Json() const { return *m_pJson; }

    // Requires an object (when present) whose keys are all among astrKeys.
    void ExpectObject(std::initializer_list<const char*> astrKeys) const;
    // Requires an object (when present); its keys are free (names of services, keys, sections).
    void ExpectAnyObject() const;
    bool Has(const char* pszKey) const;
    CJsonNode Child(const std::string& strKey) const;
    // The members of an object, in file order.
    void ForEach(const std::function<void(const std::string&, const CJsonNode&)>& fn) const;
    // The elements of an array (when present), in order; anything else is an error.
    void ForEachItem(const std::function<void(const CJsonNode&)>& fn) const;

    // Getters of object members; a missing member gives the default, a wrong type is an error.
    std::string GetString(const char* pszKey, const std::string& strDefault) const;
    std::string GetRequiredString(const char* pszKey) const;
    DWORD GetDword(const char* pszKey, DWORD dwDefault) const;
    bool GetBool(const char* pszKey, bool bDefault) const;
    // One of the given words; the error lists them.
    std::string GetEnum(const char* pszKey, const std::vector<std::string>& astrChoices,
                        const std::string& strDefault) const;

    // This node's own value.
    std::string AsString() const;
    DWORD AsDword() const;
    bool IsString() const;
    bool IsNumber() const;

    [[noreturn]] void Fail(const std::string& strProblem) const;

private:
    // Fails on a key that holds a NUL character.
    void RefuseNulKey(const std::string& strKey) const;
    const MachineJson* m_pJson;
    std::string m_strPath;
};

// Parses JSON text; throws CMachineFileError("not valid JSON: ...").
MachineJson ParseMachineJson(const std::string& strText);
