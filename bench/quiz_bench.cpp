// In-process figures on the offscreen platform, each beside the bare Qt 6
// yardstick: a press of OK, and the first application of the eleven
// property records to a fresh window. velunto and bare runs alternate in
// rounds; Google Benchmark times each run, and the summary gives min / median
// / max of the rounds and the velunto/bare ratios.
//
// Usage: quiz_bench [ROUNDS]

#include "BareWindow.h"
#include "Summary.h"

#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "fw/Framework.h"
#include "quiz/MainWindow.h"
#include "quiz/Records.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace records = velunto::records;

// One pass of the game: from the introduction through ten questions and
// verdicts and the score back to the start.
constexpr int kPressesPerPass = 24;

// The two draws of a pass pick the first alternative for question 1 and the
// second for question 6, so that every pass shows the same 24 texts.
void FixDraws()
{
    fw::SetRndSource([draw = 0]() mutable { return draw++ % 2 ? 0.9 : 0.1; });
}

// The texts a pass of presses shows, as the bare program would hold them.
std::vector<QString> PassTexts(const velunto::MainWindow& window)
{
    const auto ok = window.OKButton();
    std::vector<QString> texts;
    for (int press = 0; press < kPressesPerPass; ++press) {
        ok->RaiseEvent(fw::kActionEvent);
        std::string text = window.TextField1()->Text();
        std::replace(text.begin(), text.end(), '\r', '\n');
        texts.push_back(QString::fromStdString(text));
    }
    return texts;
}

// A press as the player makes it: the button raises Action, its stub and
// delegate reach OKButton_Action, which takes one step and replaces the text
// of the text box. One iteration is a whole pass, so that every run weighs
// the steps alike.
void VeluntoPress(benchmark::State& state)
{
    const auto ok = velunto::MainWindow::Instance()->OKButton();
    for (auto _ : state) {
        for (int press = 0; press < kPressesPerPass; ++press)
            ok->RaiseEvent(fw::kActionEvent);
    }
}

// The bare program's update: the same texts, in the same order, put into a
// shown QPlainTextEdit with Qt's setter for its whole text.
void SetPlainTextPress(benchmark::State& state, QPlainTextEdit* box, const std::vector<QString>* texts)
{
    for (auto _ : state) {
        for (const QString& text : *texts)
            box->setPlainText(text);
    }
}

// The least a press must do: velunto's way of replacing the whole text (in
// one edit, the old text cut after the new is in, the lines laid out once),
// written directly on the widget, with nothing of the framework around it.
void OneEditPress(benchmark::State& state, QPlainTextEdit* box, const std::vector<QString>* texts)
{
    QTextDocument& document = *box->document();
    document.setUndoRedoEnabled(false);
    for (auto _ : state) {
        for (const QString& text : *texts) {
            const int oldEnd = document.characterCount() - 1;
            QTextCursor cursor(&document);
            cursor.beginEditBlock();
            cursor.setPosition(oldEnd);
            cursor.insertText(text);
            cursor.setPosition(0);
            cursor.setPosition(oldEnd, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
                block.layout()->setCacheEnabled(true);
            cursor.endEditBlock();
            document.setModified(false);
        }
    }
}

struct ControlRow {
    const char* name;
    const fw::ClassInfo& (*cls)();
    const std::string& (*record)();
};

// The quiz window's controls in the order it makes them.
constexpr std::array<ControlRow, 10> kControls { {
    { "TextField1", &fw::TextField::Lookup__, &records::TextField1 },
    { "OKButton", &fw::BevelButton::Lookup__, &records::OKButton },
    { "NoBtutton", &fw::BevelButton::Lookup__, &records::NoBtutton },
    { "AButton", &fw::BevelButton::Lookup__, &records::AButton },
    { "BButton", &fw::BevelButton::Lookup__, &records::BButton },
    { "DButton", &fw::BevelButton::Lookup__, &records::DButton },
    { "CButton", &fw::BevelButton::Lookup__, &records::CButton },
    { "ResetButton", &fw::BevelButton::Lookup__, &records::ResetButton },
    { "Canvas1", &fw::Canvas::Lookup__, &records::Canvas1 },
    { "Canvas2", &fw::Canvas::Lookup__, &records::Canvas2 },
} };

// Built step by step as the quiz window is (menu bar, window record, then
// each control made and given its record), with a clock around each record
// only: a fresh, still hidden window and fresh controls take each record for
// the first time (in a process that has built such windows before).
class FreshWindow final : public fw::Window {
public:
    static const fw::ClassInfo& Lookup__()
    {
        static const fw::ClassInfo& cls = fw::RegisterClass<FreshWindow>("FreshWindow", fw::Window::Lookup__());
        return cls;
    }

    void Layout() override
    {
        MenuBar(velunto::MenuBar1::Instance());
        Apply(shared_from_this(), records::MainWindow());
    }

    void CreateControls() override
    {
        for (const ControlRow& row : kControls) {
            auto control = fw::RuntimeCheckCast<fw::RectControl>(New__(row.cls()));
            control->Constructor();
            AddControl_(row.name, control);
            Apply(control, row.record());
        }
    }

    Clock::duration applying {};

private:
    void Apply(const fw::ObjectPtr& object, const std::string& record)
    {
        const auto start = Clock::now();
        fw::SetProperties_(object, record);
        applying += Clock::now() - start;
    }
};

// What an event loop would do between two windows: delete what was deleted
// later and deliver what was posted. Left undone, the posted events pile up,
// and Qt's scans of them make every later window slower.
void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void VeluntoRecords(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = fw::RuntimeCheckCast<FreshWindow>(fw::RuntimeNewObject(FreshWindow::Lookup__()));
        window->Constructor();
        state.SetIterationTime(Seconds(window->applying));
        window->Close();
        window.reset();
        Settle();
    }
}

// The same settings made directly on fresh widgets of a hidden window.
void BareRecords(benchmark::State& state)
{
    for (auto _ : state) {
        BareWindow bare;
        const auto start = Clock::now();
        bare.Configure();
        state.SetIterationTime(Seconds(Clock::now() - start));
        bare.Window().show(); // as velunto's window is, once built
        Settle();
    }
}

// Keeps the time per iteration, in seconds, of the run reported last.
class Collector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                std::fprintf(
                    stderr, "quiz_bench: %s failed: %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
                failed = true;
            } else if (run.run_type == Run::RT_Iteration) {
                last = run.real_accumulated_time / double(run.iterations);
            }
        }
    }

    double last = 0;
    bool failed = false;
};

std::vector<double> Scaled(const std::vector<double>& values, double factor)
{
    std::vector<double> scaled;
    for (double value : values)
        scaled.push_back(value * factor);
    return scaled;
}

// Drops the offscreen platform's note, at every window shown, that it cannot
// pass size hints on.
void QuietPlatform(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (!message.startsWith(QStringLiteral("This plugin does not support")))
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
}

// Runs the rounds and prints the summary; false when a run failed.
bool Measure(int rounds)
{
    FixDraws();
    const std::vector<QString> texts = PassTexts(*velunto::MainWindow::Instance());
    BareWindow bare[2];
    for (BareWindow& window : bare) {
        window.Configure();
        window.Window().show();
    }

    benchmark::RegisterBenchmark("press/velunto", VeluntoPress)->MinTime(0.1);
    benchmark::RegisterBenchmark("press/setPlainText", SetPlainTextPress, &bare[0].TextBox(), &texts)->MinTime(0.1);
    benchmark::RegisterBenchmark("press/oneEdit", OneEditPress, &bare[1].TextBox(), &texts)->MinTime(0.1);
    benchmark::RegisterBenchmark("records/velunto", VeluntoRecords)->UseManualTime()->Iterations(200);
    benchmark::RegisterBenchmark("records/bare", BareRecords)->UseManualTime()->Iterations(200);
    const std::vector<std::vector<std::string>> groups {
        { "press/velunto", "press/setPlainText", "press/oneEdit" },
        { "records/velunto", "records/bare" },
    };

    // Seconds per iteration by benchmark. Within a group each round starts
    // with another member; round 0 warms up and is not kept.
    std::map<std::string, std::vector<double>> s;
    Collector collector;
    for (int round = 0; round <= rounds && !collector.failed; ++round) {
        for (const auto& group : groups) {
            for (std::size_t turn = 0; turn < group.size(); ++turn) {
                const std::string& name = group[(std::size_t(round) + turn) % group.size()];
                if (benchmark::RunSpecifiedBenchmarks(&collector, "^" + name + "(/|$)") != 1)
                    collector.failed = true;
                else if (round > 0)
                    s[name].push_back(collector.last);
            }
        }
    }
    benchmark::ClearRegisteredBenchmarks();
    if (collector.failed)
        return false;

    const double perPress = 1e6 / kPressesPerPass;
    std::printf("per press and records, in-process on the offscreen platform, %d interleaved rounds\n", rounds);
    bench::PrintFigure("OK press against setPlainText", "us", Scaled(s["press/velunto"], perPress),
        Scaled(s["press/setPlainText"], perPress), "  (same 24 texts)");
    bench::PrintFigure("OK press against the text alone", "us", Scaled(s["press/velunto"], perPress),
        Scaled(s["press/oneEdit"], perPress), "  (velunto's one-edit replacement)");
    bench::PrintFigure("eleven records, first application", "us", Scaled(s["records/velunto"], 1e6),
        Scaled(s["records/bare"], 1e6), "  (same settings, fresh widgets)");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(&QuietPlatform);
    benchmark::Initialize(&argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    fw::RuntimeInit();
    fw::RuntimePerformInitializers(velunto::kInitializers);
    fw::RunFrameworkInitialization_([] {});
    const bool measured = Measure(rounds);
    benchmark::Shutdown();
    fw::RuntimePerformFinalizers();
    return measured ? fw::RuntimeExit() : 1;
}
