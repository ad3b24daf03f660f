// Helpers for the controls of a dialog: check boxes, progress bars and pictures. Only Win32 code
// here.
#pragma once

#include <windows.h>

namespace kolt::ui {

// BM_GETCHECK: true only for a checked box (not for an indeterminate one).
bool IsChecked(HWND dialog, int id);
// BM_SETCHECK: sets the state without a click, so no notification is sent.
void SetChecked(HWND dialog, int id, bool checked);

void SetProgressRange(HWND dialog, int id, int low, int high);
// Sets the bar's position and redraws it at once, so the step shows even while the thread is
// busy and does not pump messages.
void SetProgressPosition(HWND dialog, int id, int position);

// Shows `bitmap` in a picture control (SS_BITMAP with SS_CENTERIMAGE, which keeps the control's
// size) and fits the control, border and all, around it, so the picture is drawn pixel for pixel
// and whole. The control does not own the bitmap: it must outlive the control's use of it.
void ShowBitmapUnscaled(HWND control, HBITMAP bitmap);

}  // namespace kolt::ui
