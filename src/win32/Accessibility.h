#pragma once

#include <windows.h>

#include <oleacc.h>  // needs windows.h first

#include <functional>
#include <memory>
#include <string>

// What screen readers hear of the window's own controls (Microsoft Active Accessibility):
// the control's name, value and description, and those of its parts (the list's rows, the
// status bar's panels), asked afresh each time a screen reader asks. Everything else
// (where a part is, its state, moving between objects) is the system's own object for
// the control, where the system has one.
struct AccessibleParts {
    std::function<std::wstring()> name;
    std::function<std::wstring()> value;
    std::function<std::wstring()> description;
    // The parts, numbered from 1; none without `count`.
    std::function<long()> count;
    long partRole = ROLE_SYSTEM_LISTITEM;
    std::function<std::wstring(long part)> partName;
    std::function<std::wstring(long part)> partValue;
    std::function<std::wstring(long part)> partDescription;
    std::function<long(long part)> partState;
    std::function<RECT(long part)> partRect;  // in the control's client area
};

// Answers the control's WM_GETOBJECT: for its client area, an accessible object that says
// what `parts` say; for any other object, 0, and the caller passes the message on.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam,
                        const std::shared_ptr<AccessibleParts>& parts);

// Tells screen readers that what the control (`part` 0), or its part, says has changed:
// `event` EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE or EVENT_OBJECT_NAMECHANGE.
void TellScreenReaders(HWND control, DWORD event, long part = 0);
