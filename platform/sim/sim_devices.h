// Classes: ISimDeviceFile, CSimDeviceIo, CSimLibraries.
// Device I/O and library loading on the simulated machine. Nothing is there until a simulated
// driver registers a device name (e.g. "\\\\.\\Ndisuio") or a simulated library (e.g. "wlanapi")
// with its entry points; CreateFile of any other name fails with ERROR_FILE_NOT_FOUND and
// LoadLibrary with ERROR_MOD_NOT_FOUND.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/device_io.h"
#include "platform/library.h"

class ISystem;

// One open handle of a simulated device. Per-handle state (an NDIS binding opened on this handle)
// lives in the object.
class ISimDeviceFile {
public:
    virtual ~ISimDeviceFile() = default;
    // ERROR_SUCCESS or the Win32 error that DeviceIoControl reports; *pdwReturned = bytes written to
    // pOut (also on ERROR_MORE_DATA).
    virtual DWORD Control(DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                          DWORD* pdwReturned) = 0;
};

// Opens a device: ERROR_SUCCESS with *ppFile set, or the Win32 error CreateFile reports (ERROR_BUSY
// while another program holds the device, ERROR_ACCESS_DENIED, ...).
using SimDeviceOpener = std::function<DWORD(DWORD dwAccess, DWORD dwShare, DWORD dwFlags,
                                            std::unique_ptr<ISimDeviceFile>* ppFile)>;

class CSimDeviceIo : public IDeviceIo {
public:
    explicit CSimDeviceIo(ISystem& system);

    // Names are compared without case.
    void RegisterDevice(const std::string& strName, SimDeviceOpener opener);

    HANDLE CreateFile(const std::string& strName, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                      DWORD dwFlags) override;
    BOOL DeviceIoControl(HANDLE hDevice, DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                         DWORD* pdwReturned) override;
    BOOL CloseHandle(HANDLE hHandle) override;

    std::size_t OpenHandleCount();

private:
    ISystem& m_system;
    std::mutex m_mutex;
    std::map<std::string, SimDeviceOpener> m_openers;  // by lower-case name
    std::map<HANDLE, std::shared_ptr<ISimDeviceFile>> m_files;
    HANDLE m_hNext = 0x3000;
};

class CSimLibraries : public ILibraryLoader {
public:
    explicit CSimLibraries(ISystem& system);

    // strName without ".dll", compared without case; LoadLibrary accepts it with or without ".dll".
    void RegisterLibrary(const std::string& strName, std::map<std::string, void*> entryPoints);

    HMODULE LoadLibrary(const std::string& strName) override;
    void* GetProcAddress(HMODULE hModule, const std::string& strName) override;
    BOOL FreeLibrary(HMODULE hModule) override;

    // Loads not yet freed, over all libraries.
    int LoadCount();
    // The calls of LoadLibrary and FreeLibrary ("LoadLibrary wlanapi") and those a simulated
    // library notes with RecordCall, in the order they came: shows what ran before a library went.
    void RecordCall(const std::string& strCall);
    std::vector<std::string> Calls();

private:
    struct CLibrary {
        HMODULE hModule;
        std::map<std::string, void*> entryPoints;  // names compared exactly, as GetProcAddress does
        int nLoads = 0;
    };
    CLibrary* FindModule(HMODULE hModule);

    ISystem& m_system;
    std::mutex m_mutex;
    std::map<std::string, CLibrary> m_libraries;  // by lower-case name
    HMODULE m_hNext = 0x10000000;
    std::vector<std::string> m_astrCalls;
};
