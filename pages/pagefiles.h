#pragma once
#include <string_view>

// Names of the cache files, as given to cshtml::pathn.
namespace tarvelo::pagefiles {

inline constexpr std::string_view home = "\\softdefaut.html";
inline constexpr std::string_view bubble = "\\softmaopao.html";
inline constexpr std::string_view fingerprint = "\\softjs.txt";
// The watch list's bubble page and its fingerprint, apart from the news bubble's.
inline constexpr std::string_view watchBubble = "\\softwatch.html";
inline constexpr std::string_view watchFingerprint = "\\softwatchjs.txt";
inline constexpr std::string_view tariff = "\\Tariff20110101.html";
inline constexpr std::string_view commodity = "\\Commodity20110101.html";
inline constexpr std::string_view exportRebate = "\\Export20110101.html";
inline constexpr std::string_view peArticle = "\\pearticle20110101.html";

} // namespace tarvelo::pagefiles
