#pragma once
// Which values a save writes and with which type. Platform-free.
#include <optional>
#include <string>
#include <string_view>

#include "platform/RegistryData.h"

// A box is written when its text differs from the text loaded into it, or when the save must
// write the whole registration (`writeAnyway`).
bool ValueWasEdited(std::wstring_view text, std::wstring_view loaded, bool writeAnyway);

// True when the text holds a %NAME% reference.
bool HoldsVariableReference(std::wstring_view text);

// An edited text as it is stored: REG_SZ, except that a value stored as REG_EXPAND_SZ stays one
// while the text still holds a %NAME% reference (the shell then keeps expanding it).
Registry::RawValue ValueToWrite(const std::wstring& name, std::wstring_view text,
                                const std::optional<Registry::RawValue>& stored);
