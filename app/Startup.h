#pragma once

#include "fw/Runtime.h"

#include <array>

namespace velunto {

// The program's rows of the initialiser table, run after the framework's own:
// App, MainWindow, MenuBar1's shared-instance holder, MenuBar1.
extern const std::array<fw::Initializer, 4> kInitializers;

// The process's whole run, as main performs it: the runtime and its
// initialiser table, Main_, the finalisation; returns the exit status.
int RunProcess();

// Drives the start-up and the event loop. An exception that reaches it is
// handed to the framework's report, and the steps after the failing one are
// skipped; only an exception raised by the report itself leaves it.
void Main_();

// Start-up before the framework is up: the runtime's own classes, the plug-in,
// and the registered application object with its version data and menu bar.
void EarlyStartup_();

// No document file types are declared.
void InitFileTypes_();

// Makes the App object, gives it its version data and the shared menu bar, and
// registers it with the framework.
void NewAppInstance_();

// The application installs no menu handlers.
void ApplicationAddMenuHandlers_();

// Called once by the framework when it is up.
void LateStartup_();

// Opens the quiz window.
void MakeDefaultView_();

} // namespace velunto
