#pragma once
// The records the service answers with, as read from the database.
#include <cstdint>
#include <string>

namespace tarvelo::server {

struct TariffLine {
    std::int64_t id = 0;
    std::string code;        // national 8-digit line
    std::string name;        // Chinese goods name
    std::string mfn;         // most-favoured-nation duty rate
    std::string general;     // general duty rate
    std::string consumption; // consumption tax rate
    std::string vat;         // value-added tax rate
    std::string unit;
    std::string supervision; // supervision condition codes
    std::string description; // English description
};

// One schedule of a line: the rates in force from effective (2026-01-01, or
// empty for a schedule imported without a date).
struct TariffRate {
    std::string code;
    std::string effective;
    std::string mfn;
    std::string general;
    std::string consumption;
    std::string vat;
    std::string unit;
    std::string supervision;
};

struct CommodityCode {
    std::int64_t id = 0;
    std::string code; // 2, 4, 6 or 8 digits
    std::string name;
};

struct RebateLine {
    std::int64_t id = 0;
    std::string code;
    std::string name;
    std::string unit;
    std::string rate; // export VAT rebate rate
    std::string description;
};

struct Article {
    std::int64_t id = 0;
    std::string title;
    std::string updated; // 2024-03-01T09:30:00+08:00
    std::string source;
    std::string body;    // paragraphs separated by line feeds
};

struct NewsItem {
    std::string title;
    std::string link; // absolute URL, or a path on this service starting with "/"
    std::string date;
};

struct HsEntry {
    std::string code; // section numeral for a section entry
    std::string description;
    std::string name; // Chinese; empty where there is none
};

} // namespace tarvelo::server
