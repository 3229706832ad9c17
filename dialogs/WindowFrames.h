#pragma once

#include <Qt>

/// The two window frames of the dialogs. Both carry a title bar with the system menu and a
/// close box; only the sizeable one has minimise and maximise buttons.
///
/// A dialog's constructor moves it to its designed place, the top-left corner of its frame.
/// The outer size noted beside the move is the designed one: a 4-pixel frame on each side and
/// a 19-pixel title bar around the client area that the dialog's .ui file holds.
namespace WindowFrames {

/// A fixed dialog frame: the window cannot be resized, minimised or maximised.
inline constexpr Qt::WindowFlags kFixedDialog = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

/// The ordinary resizable frame.
inline constexpr Qt::WindowFlags kSizeable = kFixedDialog | Qt::WindowMinMaxButtonsHint;

} // namespace WindowFrames
