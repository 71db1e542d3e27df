#pragma once

#include <QString>
#include <Qt>

#include <optional>

class QEvent;
class QLabel;
class QWidget;

namespace veldora {

// The style of the program's dialogs: a fixed border with a close box and no minimize or
// maximize button; owned by another window, they stay out of the task bar.
inline constexpr Qt::WindowFlags kDialogWindowFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Shows or hides a window as the workspace says; a window that comes up takes the keyboard, as
// a dialog the user must answer should.
void setWindowShown(QWidget* window, bool shown);

// A Persian caption: right to left, in the Lotus font, its text against the right edge.
QLabel* persianLabel(const char* text, const QString& name, QWidget* parent);

// For a key press in an input box: true for Enter and Down (forward), false for Up (back), and
// nothing for every other key, which edits the box. Shift, Ctrl and Alt play no part.
std::optional<bool> boxMoveDirection(const QEvent* event);

}  // namespace veldora
