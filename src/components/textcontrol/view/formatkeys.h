#pragma once
// The keys that format, as in every word processor: Ctrl+B, Ctrl+I and Ctrl+U switch bold,
// italic and underline of the selection or of what is typed next (as the bar's buttons do),
// and Ctrl+L, Ctrl+E, Ctrl+R and Ctrl+J align the paragraphs left, centred, right and justified.
class QKeyEvent;
class ViewHost;

namespace FormatKeys {

// Applies the key's format to the part being edited; false when the key is not a format key.
bool apply(const QKeyEvent* event, ViewHost* control);

}  // namespace FormatKeys
