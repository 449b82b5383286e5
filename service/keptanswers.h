#pragma once
#include "platform/answerkeeper.h"

#include "sqlite.h"

#include <cstdint>
#include <filesystem>

namespace tarvelo {

// Answers kept in an SQLite file, one per operation and keyword, the least
// recently used dropped once they hold more than maxBytes together. Errors
// after opening are reported on standard error and lose only the answer at hand.
class KeptAnswers : public platform::AnswerKeeper {
public:
    // Creates the file and its folder when missing; throws std::runtime_error
    // when the file cannot be opened.
    explicit KeptAnswers(const std::filesystem::path& file, std::int64_t maxBytes = 32 << 20);
    ~KeptAnswers() override;

    void keep(std::string_view operation, std::string_view keyword, std::string_view answer,
              std::chrono::system_clock::time_point saved) override;
    std::optional<Kept> find(std::string_view operation, std::string_view keyword) override;

private:
    Connection db_;
    std::int64_t maxBytes_;
};

} // namespace tarvelo
