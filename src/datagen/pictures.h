#pragma once

#include <QString>

// Draws the pictures the program folder needs (valve series, start pictures, language flags).
// Returns false with a message on failure.
bool generatePictures(const QString &programDir, QString *error);
