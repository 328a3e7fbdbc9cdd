#include "platform/shell/desktop_services.h"

#include "platform/shell/recording_desktop_services.h"

namespace {

DesktopServices *g_services = nullptr;

struct HelpSetting {
    QString file;
    HelpTexts texts;
};

HelpSetting &helpSetting()
{
    static HelpSetting setting;
    return setting;
}

} // namespace

DesktopServices &desktopServices()
{
    if (g_services)
        return *g_services;
    static RecordingDesktopServices headless;
    return headless;
}

void setDesktopServices(DesktopServices *services)
{
    g_services = services;
}

DesktopServicesScope::DesktopServicesScope(DesktopServices &services) : previous_(g_services)
{
    g_services = &services;
}

DesktopServicesScope::~DesktopServicesScope()
{
    g_services = previous_;
}

void setHelpFile(const QString &file, const HelpTexts &texts)
{
    helpSetting() = HelpSetting{file, texts};
}

QString helpFile()
{
    return helpSetting().file;
}

HelpTexts helpTexts()
{
    return helpSetting().texts;
}

bool showHelpFile()
{
    const HelpSetting &setting = helpSetting();
    if (setting.file.isEmpty())
        return false;
    desktopServices().showHelp(setting.file, QString(), setting.texts);
    return true;
}
