#pragma once

// Everything a window of the program is made of.
//
// A window derives from Form and declares its controls as members under their given names, each constructed
// with its container (`this`, or a Frame/PictureBox declared before it) and its name:
//     TextBox txtp1max{this, "txtp1max"};
//     OptionButton optLinear{&frameKennlinie, "optLinear"};   // options group by container
//     ::StatusBar StatusBar{this, "StatusBar"};                // qualified where member and type share a name
// Handlers are member functions connected in the constructor (`txtp1max.Change = [this] { txtp1max_Change(); };`);
// Form_Load and Form_Unload(int &Cancel) are virtual hooks. Assignments raise events inside the assignment
// (a different text: Change; a different list position: Click; a check box value change: Click; an option
// selected: its Click). The user* functions act as the user would (typing, picking, clicking, moving the focus
// first). A window reached through a default instance is a DefaultInstance<T> (created and loaded on first use).
// Message boxes, the beep, the screen size, file dialogs and modal runs go through uiServices(); tests put a
// ScriptedUiServices in place with UiServicesScope.
#include "platform/forms/buttons.h"
#include "platform/forms/containers.h"
#include "platform/forms/control.h"
#include "platform/forms/control_array.h"
#include "platform/forms/default_instance.h"
#include "platform/forms/form.h"
#include "platform/forms/graphics.h"
#include "platform/forms/label.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/menu.h"
#include "platform/forms/status_bar.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "platform/forms/ui_services.h"
