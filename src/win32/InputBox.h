#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The input box: a modal dialog, built from a template in memory, with the prompt, an
// entry field holding `text` (selected, so that typing replaces it), OK (the default
// button) and Cancel, captioned `caption` and centred over `owner` (which may be null).
// Returns the text entered, or nothing on Cancel. The prompt shows "&" as typed.
std::optional<std::wstring> InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                     const std::wstring& text);

// The controls of the input box, for finding them.
inline constexpr int kInputBoxPromptId = 100;
inline constexpr int kInputBoxEntryId = 101;
