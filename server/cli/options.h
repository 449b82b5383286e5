#pragma once
// The command line of tarvelo-service.
#include "customsservice.h"
#include "database.h"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tarvelo::server {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ShowHelp {};
struct Serve {
    ServiceSettings settings;
};
struct Import {
    std::filesystem::path database = "tarvelo-service.db";
    ImportFiles files;
};
using Command = std::variant<ShowHelp, Serve, Import>;

// args excludes the program name. Throws UsageError.
Command parseCommandLine(const std::vector<std::string>& args);

std::string helpText();

} // namespace tarvelo::server
