#include "app/App.h"

#include "fw/Object.h"

namespace velunto {

namespace {

    const fw::ClassInfo* g_appClass = nullptr;

} // namespace

void App::ctblinit__()
{
    if (g_appClass)
        return;
    g_appClass = &fw::RegisterClass<App>("App", fw::Application::Lookup__());
}

const fw::ClassInfo& App::Lookup__()
{
    if (!g_appClass)
        ctblinit__();
    return *g_appClass;
}

void App::Constructor() { }

bool App::IsEventImplemented(std::string_view eventName)
{
    return fw::RuntimeIsEventHandled_(shared_from_this(), "App", eventName, true);
}

} // namespace velunto
