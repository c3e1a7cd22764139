#include "app/Startup.h"
#include "fw/Framework.h"
#include "quiz/MainWindow.h"
#include "quiz/Records.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// One press of OK as the player makes it: the button raises Action, its stub
// and delegate reach OKButton_Action, which takes one step and replaces the
// text of the text box. The presses walk through whole passes.
void OkPress(benchmark::State& state)
{
    const auto ok = velunto::MainWindow::Instance()->OKButton();
    for (auto _ : state)
        ok->RaiseEvent(fw::kActionEvent);
}
BENCHMARK(OkPress);

// The text update alone, for comparison with the press: the text box's whole
// text replaced by a two-line question and back.
void TextUpdate(benchmark::State& state)
{
    const auto field = velunto::MainWindow::Instance()->TextField1();
    const std::string texts[2]
        = { "「イタリアの首都は」" + fw::Chr(13) + "A：ワシントンDC、B：ニューヨーク、C:ローマ、D:パリ",
              "ハズレ。正解はCですね" };
    std::size_t next = 0;
    for (auto _ : state)
        field->Text(texts[next++ % 2]);
}
BENCHMARK(TextUpdate);

// The window's record and those of its ten controls, applied to the built window.
void ApplyElevenRecords(benchmark::State& state)
{
    namespace records = velunto::records;
    const auto window = velunto::MainWindow::Instance();
    const std::vector<std::pair<fw::ObjectPtr, const std::string*>> targets = {
        { window, &records::MainWindow() },
        { window->TextField1(), &records::TextField1() },
        { window->OKButton(), &records::OKButton() },
        { window->NoBtutton(), &records::NoBtutton() },
        { window->AButton(), &records::AButton() },
        { window->BButton(), &records::BButton() },
        { window->DButton(), &records::DButton() },
        { window->CButton(), &records::CButton() },
        { window->ResetButton(), &records::ResetButton() },
        { window->Canvas1(), &records::Canvas1() },
        { window->Canvas2(), &records::Canvas2() },
    };
    for (auto _ : state) {
        for (const auto& [object, record] : targets)
            fw::SetProperties_(object, *record);
    }
}
BENCHMARK(ApplyElevenRecords);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    fw::RuntimeInit();
    fw::RuntimePerformInitializers(velunto::kInitializers);
    fw::RunFrameworkInitialization_([] {});
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}
