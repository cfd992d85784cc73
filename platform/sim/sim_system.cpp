#include "platform/sim/sim_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/sim/sim_text.h"

#ifndef NIMBREL_RES_DIR
#define NIMBREL_RES_DIR "res"
#endif

namespace fs = std::filesystem;

namespace {

thread_local DWORD t_dwLastError = ERROR_SUCCESS;

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the control
// characters of the same value, as Windows converts them.
constexpr char16_t CP1252_HIGH[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::vector<std::string> SplitWindowsPath(const std::string& strPath) {
    return SimSplitPath(strPath, "\\/");
}

// The entry of a host folder named strName, matched exactly or else without case.
std::optional<fs::path> FindEntry(const fs::path& dir, const std::string& strName) {
    std::error_code ec;
    if (fs::exists(dir / strName, ec)) {
        return dir / strName;
    }
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (SimEqualNoCase(it->path().filename().string(), strName)) {
            return it->path();
        }
    }
    return std::nullopt;
}

}  // namespace

CSimSystem::CSimSystem() {
    m_version.dwMajorVersion = 5;
    m_version.dwMinorVersion = 1;
    m_version.dwBuildNumber = 2600;
    m_version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    m_version.strCSDVersion = "Service Pack 2";
}

void CSimSystem::Load(const CJsonNode& windows, const CJsonNode& folders, const std::string& strBaseDir) {
    windows.ExpectObject({"major", "minor", "build", "platformId", "servicePack"});
    m_version.dwMajorVersion = windows.GetDword("major", m_version.dwMajorVersion);
    m_version.dwMinorVersion = windows.GetDword("minor", m_version.dwMinorVersion);
    m_version.dwBuildNumber = windows.GetDword("build", m_version.dwBuildNumber);
    m_version.dwPlatformId = windows.GetDword("platformId", m_version.dwPlatformId);
    m_version.strCSDVersion = windows.GetString("servicePack", m_version.strCSDVersion);
    if (m_version.strCSDVersion.size() > 127) {
        windows.Child("servicePack").Fail("longer than 127 characters");
    }

    folders.ForEach([&](const std::string& strWindows, const CJsonNode& host) {
        std::string strHost = host.AsString();
        const std::string strToken = "${res}";
        for (std::size_t nPos; (nPos = strHost.find(strToken)) != std::string::npos;) {
            strHost.replace(nPos, strToken.size(), NIMBREL_RES_DIR);
        }
        fs::path hostPath(strHost);
        if (hostPath.is_relative()) {
            hostPath = (strBaseDir.empty() ? fs::current_path() : fs::path(strBaseDir)) / hostPath;
        }
        AddFolder(strWindows, hostPath.lexically_normal().string());
    });
}

void CSimSystem::AddFolder(const std::string& strWindows, const std::string& strHost) {
    m_aFolders.push_back({strWindows, strHost});
}

BOOL CSimSystem::GetVersionEx(COsVersionInfo* pInfo) {
    if (pInfo == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pInfo = m_version;
    return TRUE;
}

DWORD CSimSystem::GetLastError() {
    return t_dwLastError;
}

void CSimSystem::SetLastError(DWORD dwError) {
    t_dwLastError = dwError;
}

std::string CSimSystem::WideToAnsi(const std::u16string& wstr) {
    std::string str;
    for (std::size_t i = 0; i < wstr.size(); ++i) {
        const char16_t wch = wstr[i];
        if (wch < 0x80 || (wch >= 0xA0 && wch <= 0xFF)) {
            str += static_cast<char>(wch);
            continue;
        }
        char ch = '?';
        for (int n = 0; n < 32; ++n) {
            if (CP1252_HIGH[n] == wch) {
                ch = static_cast<char>(0x80 + n);
                break;
            }
        }
        // A surrogate pair is one character: one '?'.
        if (wch >= 0xD800 && wch <= 0xDBFF && i + 1 < wstr.size() && wstr[i + 1] >= 0xDC00 &&
            wstr[i + 1] <= 0xDFFF) {
            ++i;
        }
        str += ch;
    }
    return str;
}

std::u16string CSimSystem::AnsiToWide(const std::string& str) {
    std::u16string wstr;
    for (char ch : str) {
        const auto by = static_cast<unsigned char>(ch);
        wstr += (by >= 0x80 && by <= 0x9F) ? CP1252_HIGH[by - 0x80] : static_cast<char16_t>(by);
    }
    return wstr;
}

std::optional<std::string> CSimSystem::FindHostFile(const std::string& strPath, DWORD* pdwError) const {
    auto fail = [pdwError](DWORD dwError) -> std::optional<std::string> {
        if (pdwError != nullptr) {
            *pdwError = dwError;
        }
        return std::nullopt;
    };
    const std::vector<std::string> astrPath = SplitWindowsPath(strPath);
    // The longest mapped folder that is a whole-component prefix of the path.
    const CSimFolder* pBest = nullptr;
    std::size_t nBest = 0;
    for (const CSimFolder& folder : m_aFolders) {
        const std::vector<std::string> astrFolder = SplitWindowsPath(folder.strWindows);
        if (astrFolder.size() >= astrPath.size() || astrFolder.size() < nBest) {
            continue;
        }
        bool bMatch = true;
        for (std::size_t i = 0; i < astrFolder.size() && bMatch; ++i) {
            bMatch = SimEqualNoCase(astrFolder[i], astrPath[i]);
        }
        if (bMatch) {
            pBest = &folder;
            nBest = astrFolder.size();
        }
    }
    if (pBest == nullptr) {
        return fail(ERROR_PATH_NOT_FOUND);
    }
    fs::path host(pBest->strHost);
    std::error_code ec;
    if (!fs::is_directory(host, ec)) {
        return fail(ERROR_PATH_NOT_FOUND);
    }
    for (std::size_t i = nBest; i < astrPath.size(); ++i) {
        const bool bLast = i + 1 == astrPath.size();
        // The map is a jail: no way out of the mapped folder.
        if (astrPath[i] == "." || astrPath[i] == "..") {
            return fail(ERROR_PATH_NOT_FOUND);
        }
        std::optional<fs::path> entry = FindEntry(host, astrPath[i]);
        if (!entry) {
            return fail(bLast ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        }
        host = *entry;
        if (!bLast && !fs::is_directory(host, ec)) {
            return fail(ERROR_PATH_NOT_FOUND);
        }
    }
    if (fs::is_directory(host, ec)) {
        return fail(ERROR_ACCESS_DENIED);
    }
    return host.string();
}

DWORD CSimSystem::ReadFile(const std::string& strPath, std::vector<BYTE>* pData) {
    pData->clear();
    DWORD dwError = ERROR_SUCCESS;
    const std::optional<std::string> host = FindHostFile(strPath, &dwError);
    if (!host) {
        return dwError;
    }
    std::ifstream file(*host, std::ios::binary);
    if (!file) {
        return ERROR_ACCESS_DENIED;
    }
    pData->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        pData->clear();
        return ERROR_GEN_FAILURE;
    }
    return ERROR_SUCCESS;
}
