#pragma once

#include <QImage>
#include <QString>

class Form;

namespace qtui {

// Draws a form as its window would look, offscreen and without showing anything on the screen: a main window
// with its menu bar, status line and the loaded MDI child in its client area; any other form on its own.
// Needs a QApplication (tests run with QT_QPA_PLATFORM=offscreen).
QImage renderForm(Form &form);

// The same, saved as a PNG (folders are created). False when the file cannot be written.
bool renderFormToPng(Form &form, const QString &path);

} // namespace qtui
