#include "rows.h"

namespace tarvelo::server {

TariffLine tariffRow(const Statement& s)
{
    return {s.integer(0),           std::string(s.text(1)), std::string(s.text(2)), std::string(s.text(3)),
            std::string(s.text(4)), std::string(s.text(5)), std::string(s.text(6)), std::string(s.text(7)),
            std::string(s.text(8)), std::string(s.text(9))};
}

RebateLine rebateRow(const Statement& s)
{
    return {s.integer(0),           std::string(s.text(1)), std::string(s.text(2)),
            std::string(s.text(3)), std::string(s.text(4)), std::string(s.text(5))};
}

Article articleRow(const Statement& s)
{
    return {s.integer(0), std::string(s.text(1)), std::string(s.text(2)), std::string(s.text(3)),
            std::string(s.text(4))};
}

} // namespace tarvelo::server
