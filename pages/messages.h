#pragma once
#include <string>
#include <string_view>

// Texts of the message boxes the page generator shows.
namespace tarvelo::pages::messages {

// Followed directly by the number of the last failure.
inline constexpr std::string_view fileError = "你的系统读写文件程序有问题，错误编码：";

// Tells the user that a search of the named category found nothing.
inline std::string noResult(std::string_view category)
{
    std::string text = "很抱歉，没有搜索到您要的 ";
    text += category;
    text += " 资料,\n请重新输入别的关键字看看";
    return text;
}

} // namespace tarvelo::pages::messages
