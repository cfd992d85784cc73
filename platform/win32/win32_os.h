// The real Win32 implementation of every OS seam interface, as the Windows program installs it with
// SetOs. Each interface passes through to the Win32 call of the same name (platform/win32/win32_calls.h).
#pragma once

#include <memory>

#include "platform/os.h"

// Owns the real Win32 implementation of every OS seam interface.
class CWin32Os {
public:
    CWin32Os();
    ~CWin32Os();
    CWin32Os(const CWin32Os&) = delete;
    CWin32Os& operator=(const CWin32Os&) = delete;
    const COsServices& Services() const;

private:
    struct CImpl;
    std::unique_ptr<CImpl> m_pImpl;
};
