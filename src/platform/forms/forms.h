#pragma once

// Everything a window of the program is made of.
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
