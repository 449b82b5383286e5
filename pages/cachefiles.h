#pragma once
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvelo::pages {

// Replaces the file at target with bytes as a whole: they are written to a
// temporary file beside it, which is then renamed over it, so a failure leaves
// the old file untouched. A read-only target is not replaced. Returns the
// failure, or no error.
std::error_code replaceFile(const std::filesystem::path& target, std::string_view bytes);

// Bytes of the file at path, or nothing when there is no file. Other failures
// throw std::filesystem::filesystem_error.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Last-modified time of the file at path, or nothing when there is no file.
// Other failures throw std::filesystem::filesystem_error.
std::optional<std::chrono::system_clock::time_point> lastModified(const std::filesystem::path& path);

} // namespace tarvelo::pages
