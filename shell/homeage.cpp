#include "homeage.h"

namespace tarvelo {

int minutesBetween(std::chrono::system_clock::time_point written, std::chrono::system_clock::time_point now)
{
    using std::chrono::floor;
    using std::chrono::minutes;
    return static_cast<int>((floor<minutes>(now) - floor<minutes>(written)).count());
}

} // namespace tarvelo
