#include "fakes.h"

namespace tarvelo::platform::fakes {

Choice FakeMessageBox::show(std::string_view text, std::string_view caption, Buttons buttons)
{
    shown.push_back({std::string(text), std::string(caption), buttons});
    if (whileShown)
        whileShown();
    if (answers.empty())
        return Choice::Ok;
    const Choice c = answers.front();
    answers.pop_front();
    return c;
}

void FakeProcessExit::exitNow(int code)
{
    ++calls;
    lastCode = code;
}

} // namespace tarvelo::platform::fakes
