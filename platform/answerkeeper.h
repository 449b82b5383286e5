#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tarvelo::platform {

// The service's answers the program keeps, so that a page can still be built
// when the service cannot be reached.
class AnswerKeeper {
public:
    struct Kept {
        std::string answer;
        std::chrono::system_clock::time_point saved;
    };

    virtual ~AnswerKeeper() = default;
    // operation: "Tariff", "mdefaut", ...; keyword as sent, empty for none.
    virtual void keep(std::string_view operation, std::string_view keyword, std::string_view answer,
                      std::chrono::system_clock::time_point saved) = 0;
    virtual std::optional<Kept> find(std::string_view operation, std::string_view keyword) = 0;
};

} // namespace tarvelo::platform
