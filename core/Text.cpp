#include "core/Text.h"

bool JeRovny(std::string_view a, std::string_view b) noexcept
{
    return a == b;
}

bool JeVacsi(std::string_view a, std::string_view b) noexcept
{
    // std::char_traits<char>::compare compares as unsigned char, and a proper
    // prefix compares smaller, which is exactly the order the sort keys need.
    return a.compare(b) > 0;
}
