#pragma once

#include <QRadioButton>

#include <cstdint>
#include <initializer_list>

/// The number, counted from 0, of the selected one of `options`; 0 when none is selected.
template <class Options> std::int32_t checkedIndex(const Options &options)
{
    std::int32_t index = 0;
    std::int32_t selected = 0;
    for (const QRadioButton *option : options) {
        if (option->isChecked())
            selected = index;
        ++index;
    }
    return selected;
}

inline std::int32_t checkedIndex(std::initializer_list<const QRadioButton *> options)
{
    return checkedIndex<std::initializer_list<const QRadioButton *>>(options);
}
