#include "recorders.h"

namespace tarvelo::testing {

void RecordingHost::setWindowState(WindowState s)
{
    state = s;
    log_ << QStringLiteral("host state %1").arg(static_cast<int>(s));
}

void RecordingHost::moveTwips(QPoint topLeft)
{
    position = topLeft;
    log_ << QStringLiteral("host move %1,%2").arg(topLeft.x()).arg(topLeft.y());
}

void RecordingHost::image4n()
{
    log_ << QStringLiteral("host image4n");
    if (onImage4n)
        onImage4n();
}

void RecordingHub::setCurrentCategory(int16_t index)
{
    category = index;
    log_ << QStringLiteral("currentCategory %1").arg(index);
}

void RecordingHub::setCategorySearched(int16_t index)
{
    searched.at(index) = true;
    log_ << QStringLiteral("searched %1").arg(index);
}

void RecordingHub::GetText1(int16_t index)
{
    host_.text = texts.at(index);
    log_ << QStringLiteral("GetText1 %1 (current %2)").arg(index).arg(category);
}

void RecordingHub::SetText1(int16_t index)
{
    texts.at(index) = host_.text;
    log_ << QStringLiteral("SetText1 %1").arg(index);
}

platform::Choice RecordingMessageBox::show(std::string_view text, std::string_view caption,
                                           platform::Buttons buttons)
{
    log_ << QStringLiteral("box [%1] [%2] %3")
                .arg(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                     QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())))
                .arg(buttons == platform::Buttons::OkCancel ? QStringLiteral("OkCancel")
                                                            : QStringLiteral("Ok"));
    if (answers.empty())
        return platform::Choice::Cancel;
    const platform::Choice answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace tarvelo::testing
