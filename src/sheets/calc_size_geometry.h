#pragma once

// Internal to the sizing sheet: its columns and sizes in twips, and helpers its files share.

#include <QString>

class Form;
class Label;

namespace calcsize {

constexpr int kSheetWidth = 11400;
constexpr int kCaptionLeft = 240;
constexpr int kCaptionWidth = 3480;
constexpr int kPipeCaptionLeft = 2160;
constexpr int kMinLeft = 3840;
constexpr int kNormLeft = 5400;
constexpr int kMaxLeft = 6960;
constexpr int kUnitLeft = 7920;
constexpr int kUnitListLeft = 8280;
constexpr int kUnitListWidth = 1335;
constexpr int kFlowUnitListWidth = 1350;
constexpr int kFieldWidth = 1095;
constexpr int kFieldHeight = 285;
constexpr int kListHeight = 315;
// Result cells end before the next column's start (and before the unit text at 7920).
constexpr int kCellWidth = 960;
constexpr int kCellHeight = 195;
constexpr int kTitleHeight = 240;
constexpr int kTitleMinWidth = 1200;
constexpr int kFrameLeft = 120;
constexpr int kFrameWidth = 11055;

// Where the variable blocks start and how the sheet's height follows from the last one.
constexpr int kValveRowsTop = 5640;
constexpr int kHeightBelowLastBlock = 440;

// A block title covers the frame's top edge only as far as its text reaches.
void fitTitle(Label &title);

// The pattern "0.0".
QString zeroPointZero(double value);

// The fluid-data wizard's window from the installed provider, or null.
Form *fluidWizard();

} // namespace calcsize
