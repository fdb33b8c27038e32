#pragma once

// Binding a form's handlers to the events of its controls: each handler takes the
// control that raised the event (the sender), and runs inside TApplication::Handle, so
// that an exception escaping it is reported and never unwinds through Qt.

#include <functional>

class QAbstractButton;
class QObject;
class QTimer;
class QWidget;

namespace platform {

using THandler = std::function<void(QObject* Sender)>;
using TKeyPressHandler = std::function<void(QObject* Sender, char& Key)>;

/// OnClick: the button is clicked, by the mouse or by the keyboard.
void BindOnClick(QAbstractButton* Button, THandler Handler);

/// OnTimer: every tick of the timer.
void BindOnTimer(QTimer* Timer, THandler Handler);

/// OnEnter: the keyboard focus enters the control from another control of the window,
/// by a click, by the tab key or from the program. The window getting the focus back
/// from another window, or from a popup, is not an entry.
void BindOnEnter(QWidget* Control, THandler Handler);

/// OnKeyPress: a character typed while the control has the keyboard focus (one
/// character of eight bits; the tab key is not a character here). The handler may
/// change Key: set to 0, the character is dropped; otherwise the key goes on to the
/// control unchanged.
void BindOnKeyPress(QWidget* Control, TKeyPressHandler Handler);

}  // namespace platform
