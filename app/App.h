#pragma once

#include "fw/Application.h"

#include <string_view>

namespace velunto {

// The program's application object. It adds nothing to the framework's
// application: no properties, no handlers, no overrides.
class App : public fw::Application {
public:
    // Registers the class as "App" under Application; returns at once once registered.
    static void ctblinit__();
    // The class registration, made first if it does not exist yet.
    static const fw::ClassInfo& Lookup__();

    void Constructor();

    // Whether App itself implements the named event; it implements none.
    bool IsEventImplemented(std::string_view eventName);
};

} // namespace velunto
