#pragma once

#include "fw/Menu.h"

#include <memory>

namespace velunto {

// The program's one menu bar: File (Quit) and Edit. Built once, on first use,
// and shared by the application and the quiz window.
class MenuBar1 : public fw::MenuBar {
public:
    static const fw::ClassInfo& Lookup__();
    // Class-table initialiser: registers the class.
    static void ctblinit__();
    // Initialiser of the holder; the holder starts empty, so it has nothing to do.
    static void implicitInstanceInit__();

    // The shared instance, built on the first call. A build that fails leaves
    // the holder empty, so that the next call builds a whole new bar.
    static std::shared_ptr<MenuBar1> Instance();

    // Fills the new, empty bar: File, then Edit. Does not run the inherited constructor.
    void Constructor();
    void Untitled0();
    void Untitled1();

    // Holds the bar once it is completely built, to the end of the run.
    static std::shared_ptr<MenuBar1> implicitInstance_;
};

} // namespace velunto
