#pragma once

class QWidget;

/// Grows every label of `window` to the size of its text, keeping its top-left corner.
/// The designed label sizes are those of their text in "MS Sans Serif"; a wider stand-in
/// font would otherwise cut the text off. A label is never made smaller than designed.
void AutoSizeLabels(QWidget *window);
