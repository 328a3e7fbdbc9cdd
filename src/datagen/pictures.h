#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Draws the pictures the program folder needs (valve series, start pictures, language flags).
// Returns false with a message on failure.
//
// Files written into programDir, all JPEG:
//   <series key>.jpg         one per valve series and "9999", valvePictureSize()
//   Startbild_XKTR.jpg       start screen, startPictureSize()
//   Startbild_1.jpg          start screen of the partner variant, startPictureSize()
//   Flagge0.jpg..Flagge5.jpg language flags by language code (0 de, 1 en, 2 fr, 3 it, 4 es, 5 cs),
//                            flagPictureSize(code)
//   Logo.jpg                 the maker's logo (information dialog, printouts), logoPictureSize()
//   Logo_1.jpg               the partner's logo (its information dialog), logoPictureSize()
//   Waermetauscher.jpg       the steam heat exchanger of its dialog (and printout), heatExchangerPictureSize()
bool generatePictures(const QString &programDir, QString *error);

// The 25 valve-series keys, in the order of their tables.
const QStringList &valveSeriesKeys();
QSize valvePictureSize();
QSize startPictureSize();
QSize flagPictureSize(int language);
QString flagPictureName(int language);
QSize logoPictureSize();
QSize heatExchangerPictureSize();
