#include "log.h"

#include <string>
#include <unistd.h>

namespace tarvelo::server {

void logLine(std::string_view line)
{
    std::string text(line);
    text += '\n';
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (n <= 0)
            return; // standard error is gone; logging is not worth failing a request for
        rest.remove_prefix(static_cast<size_t>(n));
    }
}

} // namespace tarvelo::server
