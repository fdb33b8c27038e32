#pragma once

// The form's window state: opening maximized, also where no window manager runs.

class QWidget;

namespace platform {

/// Shows a top-level form maximized. Maximized means filling the available area of
/// the form's screen, also where no window manager runs (Xvfb, CI), which would leave
/// a maximize request unanswered: the form is given that area before it shows. The
/// form's position and size at the call, unless it is maximized or minimized then,
/// are its restored bounds: when the window is restored, the form goes back to them.
void ShowMaximized(QWidget* Form);

}  // namespace platform
