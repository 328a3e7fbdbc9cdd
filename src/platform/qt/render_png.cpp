#include "platform/qt/render_png.h"

#include "platform/forms/form.h"
#include "platform/qt/form_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

namespace qtui {

QImage renderForm(Form &form)
{
    FormView view(form);
    std::vector<std::unique_ptr<FormView>> children;
    if (form.kind() == Form::Kind::MdiParent && view.mdiClient()) {
        for (Form *f : Form::liveForms()) {
            if (f->kind() == Form::Kind::MdiChild && f->isLoaded() && f->visible())
                children.push_back(std::make_unique<FormView>(*f, view.mdiClient()));
        }
    }
    QWidget *w = view.window();
    w->setAttribute(Qt::WA_DontShowOnScreen);
    w->show();
    for (auto &c : children)
        c->window()->show();
    if (view.mdiClient())
        view.mdiClient()->updateExtent();
    QApplication::processEvents();
    const QImage image = w->grab().toImage();
    children.clear();
    return image;
}

bool renderFormToPng(Form &form, const QString &path)
{
    const QImage image = renderForm(form);
    if (image.isNull())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "PNG");
}

} // namespace qtui
