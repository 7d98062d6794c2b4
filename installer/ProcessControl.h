// Ending the product's running programs before their files are replaced.
// Every stop is abrupt (TerminateProcess, exit code 0) and reports only
// whether a process was ended.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace talvek {

// Id of the first process in a snapshot whose executable name matches, or 0.
DWORD findProcessId(const std::string& name, bool caseSensitive = false);

bool processExists(const std::string& name, bool caseSensitive = false);

// Ends the first matching process; a second one of that name keeps running.
// Without a name, this program's own executable name is used.
bool stopProcess(const std::optional<std::string>& name = std::nullopt, bool caseSensitive = false);

// A top-level window titled exactly `name` wins over the process name.
bool stopByNameOrTitle(const std::string& name);

}  // namespace talvek
