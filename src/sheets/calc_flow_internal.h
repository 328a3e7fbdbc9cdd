#pragma once

// Helpers the flow sheet's source files share.
#include "platform/core/variant.h"
#include "platform/forms/label.h"
#include "platform/forms/list_controls.h"

#include <QString>
#include <functional>

namespace flowsheet {

// Row captions size themselves to their text, so that the guide line behind them shows from the text's end on.
inline void autoSize(Label &label)
{
    const double perChar = label.fontSize() * (label.fontBold() ? 14.0 : 12.5);
    label.setWordWrap(false);
    label.setWidth(static_cast<int>(label.caption().size() * perChar) + 60);
}

inline void setCaptionSized(Label &label, const QString &caption)
{
    label.setCaption(caption);
    autoSize(label);
}

// Shows the fluid-data wizard modeless (set through FrmCalcFlow::setShowWizard; empty: nothing to show).
std::function<void()> &wizardOpener();

} // namespace flowsheet
