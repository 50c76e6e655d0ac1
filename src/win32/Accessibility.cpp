#include "win32/Accessibility.h"

#include <initguid.h>  // the property ids below are defined here, once

#include <oleacc.h>

void DescribeToScreenReaders(HWND control, int child, const std::wstring& name,
                             const std::wstring& description)
{
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return;
    }
    const auto id = static_cast<DWORD>(child == 0 ? CHILDID_SELF : child);
    if (!name.empty()) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), id, PROPID_ACC_NAME,
                                 name.c_str());
    }
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), id, PROPID_ACC_DESCRIPTION,
                             description.c_str());
    services->Release();
}
