#pragma once
#include <filesystem>
#include <string_view>
#include <system_error>

namespace tarvelo::pages {

// Makes sure the folder parent/name exists. A folder made here is hidden: on
// Windows by its hidden attribute, elsewhere by listing its name in the
// parent's ".hidden" file, which desktop file managers honour. An existing
// folder is left as it is. Returns the last failure, or no error.
std::error_code ensureHiddenFolder(const std::filesystem::path& parent, std::string_view name);

} // namespace tarvelo::pages
