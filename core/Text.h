#pragma once

#include <string_view>

/// True when both texts have the same length and the same bytes.
bool JeRovny(std::string_view a, std::string_view b) noexcept;

/// True when `a` sorts strictly after `b`: unsigned bytes, a proper prefix first, no locale.
bool JeVacsi(std::string_view a, std::string_view b) noexcept;
