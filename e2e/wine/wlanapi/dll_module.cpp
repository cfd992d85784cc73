#include "e2e/wine/wlanapi/dll_module.h"

#include <windows.h>

void PinThisModule() {
    HMODULE hModule = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&PinThisModule), &hModule);
}
