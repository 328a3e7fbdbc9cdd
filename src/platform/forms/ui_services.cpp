#include "platform/forms/ui_services.h"

#include "platform/forms/scripted_ui_services.h"

namespace {
UiServices *g_services = nullptr;

UiServices &headless()
{
    static ScriptedUiServices services;
    return services;
}
} // namespace

MsgAnswer firstAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK:
    case MsgButtons::OKCancel:
        return MsgAnswer::OK;
    case MsgButtons::AbortRetryIgnore:
        return MsgAnswer::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Retry;
    }
    return MsgAnswer::OK;
}

UiServices &uiServices()
{
    return g_services ? *g_services : headless();
}

void setUiServices(UiServices *services)
{
    g_services = services;
}

namespace {
std::function<QString(const std::exception &)> g_uncaughtFailureText;
} // namespace

QString uncaughtFailureText(const std::exception &e)
{
    return g_uncaughtFailureText ? g_uncaughtFailureText(e) : QString::fromUtf8(e.what());
}

void setUncaughtFailureText(std::function<QString(const std::exception &)> text)
{
    g_uncaughtFailureText = std::move(text);
}

UiServicesScope::UiServicesScope(UiServices &services) : previous_(g_services)
{
    g_services = &services;
}

UiServicesScope::~UiServicesScope()
{
    g_services = previous_;
}
