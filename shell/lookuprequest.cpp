#include "lookuprequest.h"

#include "platform/qt/hubapi.h"

#include <QClipboard>
#include <QGuiApplication>

#include <array>
#include <utility>

namespace tarvelo {
namespace {

constexpr std::array<std::pair<const char*, QueryCategory>, 4> categoryNames{{
    {"law", QueryCategory::pe_article},
    {"commodity", QueryCategory::Commodity},
    {"tariff", QueryCategory::Tariff},
    {"export", QueryCategory::Export},
}};

} // namespace

LookupParse parseLookup(const QStringList& arguments)
{
    LookupParse parse;
    LookupRequest request;
    bool asked = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const bool takesValue = option == QLatin1String("--search") || option == QLatin1String("--category");
        if (takesValue && i + 1 >= arguments.size()) {
            parse.error = option + QStringLiteral(" needs a value");
            return parse;
        }
        if (option == QLatin1String("--search")) {
            request.text = arguments[++i];
            request.fromSelection = false;
            asked = true;
        } else if (option == QLatin1String("--search-selection")) {
            request.fromSelection = true;
            asked = true;
        } else if (option == QLatin1String("--category")) {
            const QString name = arguments[++i];
            request.category.reset();
            for (const auto& [known, category] : categoryNames)
                if (name == QLatin1String(known))
                    request.category = static_cast<int16_t>(category);
            if (!request.category) {
                parse.error = QStringLiteral("--category wants law, commodity, tariff or export, got \"%1\"").arg(name);
                return parse;
            }
        }
    }
    if (asked)
        parse.request = request;
    else if (request.category)
        parse.error = QStringLiteral("--category goes with --search or --search-selection");
    return parse;
}

QString selectedText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    QString text;
    if (clipboard->supportsSelection())
        text = clipboard->text(QClipboard::Selection).trimmed();
    if (text.isEmpty())
        text = clipboard->text(QClipboard::Clipboard).trimmed();
    return text;
}

} // namespace tarvelo
