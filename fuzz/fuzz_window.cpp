// Applies arbitrary property records to a real window and one control of each
// kind on Qt's offscreen platform, then paints the window. Whatever a record
// holds, the framework raises an exception of the RuntimeException family or
// hands Qt values it can draw in bounded time and memory. Each input gets a
// fresh window, so that a finding reproduces alone.
#include "NativeWindow.h"
#include "WindowInput.h"

#include "fw/Framework.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

using velunto::fuzz::InputRecord;
using velunto::fuzz::Target;

// The registered name of each target's control; the window has none.
constexpr const char* kControlNames[] = { nullptr, "TextField1", "OKButton", "Canvas1" };

class FuzzWindow final : public fw::Window {
public:
    static const fw::ClassInfo& Lookup__()
    {
        static const fw::ClassInfo& cls = fw::RegisterClass<FuzzWindow>("FuzzWindow", fw::Window::Lookup__());
        return cls;
    }

    std::vector<InputRecord> records;

    enum class Phase { WindowSetUp, ControlsSetUp, Late };

    // Sends the records of one phase, in order, each to its object. A record
    // that is malformed or that a setter refuses stops where it is, and the
    // next one goes on.
    void Apply(Phase phase)
    {
        for (const InputRecord& record : records) {
            const Phase own = record.late         ? Phase::Late
                : record.target == Target::Window ? Phase::WindowSetUp
                                                  : Phase::ControlsSetUp;
            if (own != phase)
                continue;
            const char* name = kControlNames[int(record.target)];
            try {
                fw::SetProperties_(name ? ControlByName_(name) : shared_from_this(), record.bytes);
            } catch (const fw::RuntimeException&) {
            }
        }
    }

    // As the quiz window: a menu bar first (its height is taken from above the
    // content area), then the window's records.
    void Layout() override
    {
        auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeNewObject(fw::MenuBar::Lookup__()));
        bar->Constructor();
        MenuBar(bar);
        Apply(Phase::WindowSetUp);
    }

    // Each control is made and registered, then takes its records.
    void CreateControls() override
    {
        Add<fw::TextField>(Target::TextField);
        Add<fw::BevelButton>(Target::BevelButton);
        Add<fw::Canvas>(Target::Canvas);
        Apply(Phase::ControlsSetUp);
    }

private:
    template <class C> void Add(Target target)
    {
        auto control = fw::RuntimeCheckCast<C>(New__(C::Lookup__()));
        control->Constructor();
        AddControl_(kControlNames[int(target)], control);
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::RuntimeInit();
    fw::RuntimePerformInitializers({});
    fw::RunFrameworkInitialization_(nullptr);
    FuzzWindow::Lookup__();
    // libFuzzer ends with exit(): the framework is taken down first, as the
    // program does it, before the statics it stands on.
    std::atexit([] { fw::RuntimePerformFinalizers(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto window = fw::RuntimeCheckCast<FuzzWindow>(fw::RuntimeNewObject(FuzzWindow::Lookup__()));
    window->records = velunto::fuzz::SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
    window->Constructor();
    window->Apply(FuzzWindow::Phase::Late);
    // Paints a corner of the window and of each control into a small image.
    // A style paints a control whole all the same, at the size and with the
    // font the records gave it: that is what must stay bounded.
    const QRect corner(0, 0, 64, 64);
    fw::NativeWindow(*window)->grab(corner);
    for (const auto& control : window->Controls())
        fw::NativeWidget(dynamic_cast<fw::RectControl&>(*control))->grab(corner);
    window->Close();
    window.reset();
    // The widgets go now; then the platform's events for them, unanswered.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return 0;
}
