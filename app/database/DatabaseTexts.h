// What a user of the clinic reads when the database refuses: the clinic's own texts for the
// failures a workstation meets (another program holds the database, the disk is full, the
// file cannot be written, a search too long for the database, a damaged file), in place of
// the database's technical text. docs/front-desk.md lists them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The clinic's text for the database failure whose technical text is Technical, or none
// when it is no failure of those kinds.
std::optional<std::string> ClinicDatabaseText(std::string_view Technical);
// The clinic's text when there is one, else Technical as it is (the reason that follows a
// window's own failure message).
std::string ClinicReason(std::string_view Technical);
// Said at start-up when the database can be read but not written.
extern const char* const kReadOnlyDatabaseText;
// Shown while a statement waits for a lock that another program holds.
extern const char* const kDatabaseWaitText;
