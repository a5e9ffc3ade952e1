// The one exception class of the data layer, and the one place that builds its texts.
// A failed statement carries SQLite's own error text, so the message box says what went wrong.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Exceptions.h"

ROVE_DECLARE_EXCEPTION(EDatabaseError, Exception);

// Raises EDatabaseError with the text as given.
[[noreturn]] void DatabaseError(std::string message);
// Raises EDatabaseError with the text "<what>: <sqlite error text>".
[[noreturn]] void DatabaseErrorFmt(std::string_view what, std::string_view detail);
