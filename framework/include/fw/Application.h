#pragma once

#include "fw/Object.h"

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

class MenuBar;

// The framework's application class, base of the program's application.
class Application : public Object {
public:
    Application();
    ~Application() override;

    static const ClassInfo& Lookup__();

    // High-resolution drawing for every window made later.
    static void SetSupportsHiDPI_(bool enabled);

    void x_SetVersionData_(std::int64_t majorVersion, std::int64_t minorVersion, std::int64_t bugVersion,
        std::int64_t nonReleaseVersion, std::int64_t stageCode, std::string longVersion,
        std::string shortVersion, std::string packageInfo);

    // Checks the display driver on the platform that has one; here it does nothing.
    void SanityCheckWDDM_();

    std::int64_t MajorVersion() const noexcept { return m_majorVersion; }
    std::int64_t MinorVersion() const noexcept { return m_minorVersion; }
    std::int64_t BugVersion() const noexcept { return m_bugVersion; }
    std::int64_t NonReleaseVersion() const noexcept { return m_nonReleaseVersion; }
    std::int64_t StageCode() const noexcept { return m_stageCode; }
    const std::string& LongVersion() const noexcept { return m_longVersion; }
    const std::string& ShortVersion() const noexcept { return m_shortVersion; }
    const std::string& PackageInfo() const noexcept { return m_packageInfo; }

    std::shared_ptr<fw::MenuBar> MenuBar() const;
    void MenuBar(std::shared_ptr<fw::MenuBar> bar);

private:
    std::int64_t m_majorVersion = 0;
    std::int64_t m_minorVersion = 0;
    std::int64_t m_bugVersion = 0;
    std::int64_t m_nonReleaseVersion = 0;
    std::int64_t m_stageCode = 0;
    std::string m_longVersion;
    std::string m_shortVersion;
    std::string m_packageInfo;
    std::shared_ptr<fw::MenuBar> m_menuBar;
};

// Registers the classes the runtime uses by itself.
void RuntimeInitExternalClasses_();

// Resolves the plug-in's entry points so that its classes (BevelButton) can be made.
void InitPluginEntrypoints_();

// The framework holds the object as the application from now on.
void RuntimeRegisterAppObject_(std::shared_ptr<Application> app);

// The registered application object, or nullptr.
std::shared_ptr<Application> RegisteredApp();

// Whether high-resolution drawing was switched on.
bool SupportsHiDPI();

} // namespace fw
