#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Cache paths are kept as UTF-8 text, the way cshtml hands them out.
namespace tarvelo::pages {

inline constexpr std::string_view cacheFolderName = "customscache";

std::filesystem::path toPath(std::string_view utf8);
std::string toUtf8(const std::filesystem::path& path);

// A cache file name as callers give it, "\softjs.txt", with every backslash
// turned into this system's path separator.
std::string nativeName(std::string_view name);

// program folder + separator + "customscache", as text.
std::string cacheFolderText(const std::filesystem::path& programFolder);

} // namespace tarvelo::pages
