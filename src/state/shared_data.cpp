#include "shared_data.h"

SharedData &shared()
{
    static SharedData data;
    return data;
}
