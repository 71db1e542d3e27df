#pragma once

#include <QString>
#include <QWidget>
#include <Qt>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QEvent;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veldora {

class Workspace;

// The style of the program's dialogs: a fixed border with a close box and no minimize or
// maximize button; owned by another window, they stay out of the task bar.
inline constexpr Qt::WindowFlags kDialogWindowFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A window the user answers or dismisses: Escape and the frame's close box do what its Cancel (or
// its only button) does, so that the window that opened it is never left waiting.
class AnsweredWindow : public QWidget {
 public:
  AnsweredWindow(QWidget* parent, Qt::WindowFlags flags, std::function<void()> cancel);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> mCancel;
};

// Makes a box hold any text a mix file can hold (a line edit keeps 32767 characters by default),
// and refuse whole, through the workspace's message, a paste of more than kLongestPaste characters
// by any way a paste comes: Ctrl+V, Shift+Insert, the context menu's Paste, a middle click.
void takeLongTexts(QLineEdit* box, Workspace& workspace);
// The paste refusal alone, for a box with a limit of its own (the project name).
void refuseLongPastes(QLineEdit* box, Workspace& workspace);

// Puts the workspace's text into a box where it differs, the cursor staying where the user is
// typing (the workspace may have changed what was typed, never its length in characters before
// the cursor).
void showText(QLineEdit* box, const std::string& text);

// A Persian caption: right to left, in the Lotus font, its text against the right edge.
QLabel* persianLabel(const char* text, const QString& name, QWidget* parent);

// A Persian button that Enter in a box of its window does not press.
QPushButton* persianButton(const char* caption, const QString& name, QWidget* parent);

// A dialog's row of OK and Cancel at its right, each doing what it is given; Enter in any of the
// boxes presses OK, as in the dialogs of the desktop.
QHBoxLayout* okCancelRow(QWidget* dialog, const std::vector<QLineEdit*>& boxes,
                         std::function<void()> ok, std::function<void()> cancel);

// For a key press in an input box: true for Enter and Down (forward), false for Up (back), and
// nothing for every other key, which edits the box. Shift, Ctrl and Alt play no part.
std::optional<bool> boxMoveDirection(const QEvent* event);

}  // namespace veldora
