#pragma once

#include <Qt>

/// The two window frames of the dialogs. Both carry a title bar with the system menu and a
/// close box; only the sizeable one has minimise and maximise buttons.
namespace WindowFrames {

/// A fixed dialog frame: the window cannot be resized, minimised or maximised.
inline constexpr Qt::WindowFlags kFixedDialog = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

/// The ordinary resizable frame.
inline constexpr Qt::WindowFlags kSizeable = kFixedDialog | Qt::WindowMinMaxButtonsHint;

} // namespace WindowFrames
