#pragma once

#include <QRadioButton>

#include <array>
#include <cstddef>
#include <cstdint>

/// The boxes of a setting in the order of its numbers: exactly one box for each of the
/// `settings` rows of its table, or the dialog does not compile.
template <std::size_t settings, class... Boxes>
std::array<const QRadioButton *, settings> settingBoxes(const Boxes *...boxes)
{
    static_assert(sizeof...(boxes) == settings, "one box for each setting");
    return {boxes...};
}

/// The number, counted from 0, of the selected one of `options`; 0 when none is selected.
template <std::size_t settings>
std::int32_t checkedIndex(const std::array<const QRadioButton *, settings> &options)
{
    std::int32_t selected = 0;
    for (std::size_t index = 0; index < settings; ++index) {
        if (options[index]->isChecked())
            selected = std::int32_t(index);
    }
    return selected;
}
