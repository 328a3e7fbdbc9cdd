#include "fluids/record_entry.h"

#include "fluids/fluid_database.h"
#include "platform/forms/ui_services.h"
#include "units/physical_limits.h"

namespace recordentry {

void abandon(Recordset *rs)
{
    if (rs && rs->editing())
        rs->cancelUpdate();
}

bool startNew(Recordset &rs)
{
    abandon(&rs);
    try {
        rs.addNew();
        return true;
    } catch (const DbError &e) {
        fluiddb::reportWriteFailure(e);
        return false;
    }
}

bool fieldsReady(TextBox &name, const std::vector<TextBox *> &numbers, const NumberRule &possible)
{
    if (name.text().trimmed().isEmpty()) {
        uiServices().beep();
        name.setFocus();
        return false;
    }
    for (TextBox *field : numbers) {
        double value = 0.0;
        if (!Variant(field->text()).toNumber(&value) || !physical::isSensibleNumber(value) ||
            (possible && !possible(*field, value))) {
            uiServices().beep();
            field->setFocus();
            return false;
        }
    }
    return true;
}

bool store(Recordset &rs, const std::function<void(Recordset &)> &write)
{
    try {
        write(rs);
        rs.update();
        return true;
    } catch (const DbError &e) {
        if (e.kind() == DbError::Kind::DuplicateKey)
            fluiddb::reportDuplicate();
        else
            fluiddb::reportWriteFailure(e);
        return false;
    }
}

} // namespace recordentry
