#pragma once
#include "platform/seams.h"

#include <chrono>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvelo {

namespace pages {
struct Fragment;
}
class webserviceapi;

// Page generator: one object per command. It addresses one file of the hidden
// cache folder "customscache" beside the program, builds page text from a
// frame head, a fragment and the foot, and writes it in code page 936.
class cshtml {
public:
    explicit cshtml(platform::Seams& seams);

    // Full path of the addressed cache file; empty until set.
    const std::string& pathn() const { return pathn_; }
    // value is a file name with a leading backslash, e.g. "\softdefaut.html".
    // Makes sure the cache folder exists.
    void pathn(std::string_view value);

    // Makes sure the cache folder exists (created hidden); always "customscache".
    std::string dirpath();

    const std::string& bodystr() const { return bodystr_; }
    void bodystr(std::string value) { bodystr_ = std::move(value); }

    // Last-modified time of the file at filepath, or now when there is none.
    // Other file-system failures throw std::filesystem::filesystem_error.
    std::chrono::system_clock::time_point GetFileTime(const std::string& filepath) const;

    // Writes bodystr ("--" when empty) to pathn in code page 936, replacing the
    // file whole. Failures are reported once in a message box, never returned.
    void createhtml();

    std::string htmlhead() const;
    std::string htmlheadno() const;
    std::string htmlfoor() const;

    // Fragments of the home page and the bubble page; each asks the service.
    std::string defaut();
    std::string maopao();

    // Text of the cache file named like pathn's value, or empty when missing.
    // Other file-system failures throw std::filesystem::filesystem_error.
    std::string readtxt(std::string_view filepath);

    // Result fragments of the four lookups; each asks the service and tells
    // the user when nothing was found.
    std::string Tariff(std::string_view str);
    std::string Export(std::string_view str);
    std::string Commodity(std::string_view str);
    std::string pe_article(std::string_view str);

    // Part of the page generator's operations but called by nothing; it does nothing.
    void test(std::string_view) const {}

private:
    // The answer to request; after a failed exchange, the answer last kept
    // for the same operation and keyword with notice set to say so.
    struct Answer {
        std::string text;
        std::string notice;
    };
    Answer ask(webserviceapi& api, std::string_view operation, std::string_view keyword, const std::string& request);
    // The fragment's text, after telling the user when it holds no records.
    std::string resultFragment(pages::Fragment fragment, std::string_view category) const;
    void reportFileError(std::error_code ec) const;

    platform::Seams& seams_;
    std::string pathn_;
    std::string bodystr_;
};

} // namespace tarvelo
