#include "quiz/MainWindow.h"

#include "app/MenuBar1.h"
#include "quiz/Messages.h"
#include "quiz/Questions.h"
#include "quiz/Records.h"

#include "fw/Delegate.h"
#include "fw/Exceptions.h"
#include "fw/PropertyRecord.h"
#include "fw/Values.h"

#include <array>
#include <initializer_list>
#include <variant>

namespace velunto {

namespace {

    constexpr std::string_view kClassName = "MainWindow.MainWindow";

    std::string Join(std::initializer_list<std::string_view> parts)
    {
        std::string text;
        for (std::string_view part : parts)
            text += part;
        return text;
    }

    MainWindow& Self(fw::Object& object) { return static_cast<MainWindow&>(object); }

    // The game state, published by name and type.
    constexpr fw::PropertyInfo kProperties[] = {
        { "i", fw::PropertyType::Integer, "Integer",
            [](fw::Object& o, const fw::PropertyValue& v) { Self(o).i = std::get<std::int64_t>(v); } },
        { "abcd", fw::PropertyType::Integer, "Integer",
            [](fw::Object& o, const fw::PropertyValue& v) { Self(o).abcd = std::get<std::int64_t>(v); } },
        { "HP", fw::PropertyType::Integer, "Integer",
            [](fw::Object& o, const fw::PropertyValue& v) { Self(o).HP = std::get<std::int64_t>(v); } },
        { "hantei", fw::PropertyType::String, "String",
            [](fw::Object& o, const fw::PropertyValue& v) { Self(o).hantei = std::get<std::string>(v); } },
        { "bunki", fw::PropertyType::Boolean, "Boolean",
            [](fw::Object& o, const fw::PropertyValue& v) { Self(o).bunki = std::get<bool>(v); } },
    };

    using OpenHandler = void (MainWindow::*)(const fw::TextFieldPtr&);
    using ActionHandler = void (MainWindow::*)(const fw::BevelButtonPtr&);

    // One control of the window: its name, class, record and the handler that
    // carries its name (none for the canvases).
    struct ControlRow {
        std::string_view name;
        const fw::ClassInfo& (*cls)();
        const std::string& (*record)();
        std::variant<std::monostate, OpenHandler, ActionHandler> handler;
    };

    // In creation order; D is created before C although it stands to its right.
    const std::array<ControlRow, 10> kControls { {
        { "TextField1", &fw::TextField::Lookup__, &records::TextField1, &MainWindow::TextField1_Open },
        { "OKButton", &fw::BevelButton::Lookup__, &records::OKButton, &MainWindow::OKButton_Action },
        { "NoBtutton", &fw::BevelButton::Lookup__, &records::NoBtutton, &MainWindow::NoBtutton_Action },
        { "AButton", &fw::BevelButton::Lookup__, &records::AButton, &MainWindow::AButton_Action },
        { "BButton", &fw::BevelButton::Lookup__, &records::BButton, &MainWindow::BButton_Action },
        { "DButton", &fw::BevelButton::Lookup__, &records::DButton, &MainWindow::DButton_Action },
        { "CButton", &fw::BevelButton::Lookup__, &records::CButton, &MainWindow::CButton_Action },
        { "ResetButton", &fw::BevelButton::Lookup__, &records::ResetButton, &MainWindow::ResetButton_Action },
        { "Canvas1", &fw::Canvas::Lookup__, &records::Canvas1, std::monostate {} },
        { "Canvas2", &fw::Canvas::Lookup__, &records::Canvas2, std::monostate {} },
    } };

    // Binds the window's handler to the control's event: Open for the text box,
    // Action for a button.
    template <class C>
    void Wire(MainWindow& window, std::string_view name, void (MainWindow::*handler)(const std::shared_ptr<C>&))
    {
        auto control = fw::RuntimeCheckCast<C>(window.ControlByName_(name));
        auto self = std::static_pointer_cast<MainWindow>(window.shared_from_this());
        if constexpr (std::is_same_v<C, fw::TextField>) {
            auto delegate = fw::RuntimeCreateDelegate(fw::Invoker<fw::TextField> {}, handler, self, "( TextField )", 1);
            fw::RuntimeAddEventHandler(control, fw::kOpenEvent, &fw::OpenEventStub, delegate);
        } else {
            auto delegate
                = fw::RuntimeCreateDelegate(fw::Invoker<fw::BevelButton> {}, handler, self, "( BevelButton )", 1);
            fw::RuntimeAddEventHandler(control, fw::kActionEvent, &fw::ActionEventStub, delegate);
        }
    }

} // namespace

MainWindow::~MainWindow() { Exit__(); }

const fw::ClassInfo& MainWindow::Lookup__()
{
    static const fw::ClassInfo& cls = fw::RegisterClass<MainWindow>(
        std::string(kClassName), fw::Window::Lookup__(), kProperties, { "CreateControls", "Layout" });
    return cls;
}

void MainWindow::ctblinit__() { Lookup__(); }

std::shared_ptr<MainWindow> MainWindow::Instance()
{
    std::shared_ptr<fw::Window> window = fw::GetImplicitWindow_(kClassName);
    if (!window) {
        window = fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(Lookup__()));
        window->Constructor();
    }
    return fw::RuntimeCheckCast<MainWindow>(window);
}

void MainWindow::Layout()
{
    MenuBar(MenuBar1::Instance());
    fw::SetProperties_(shared_from_this(), records::MainWindow());
}

void MainWindow::CreateControls() { CreateControls0_(); }

// Each control is made, registered, given its whole record and wired before the
// next one is made; the first failure stops the rest.
void MainWindow::CreateControls0_()
{
    for (const ControlRow& row : kControls) {
        const fw::ClassInfo& cls = row.cls();
        {
            auto control = fw::RuntimeCheckCast<fw::RectControl>(New__(cls));
            control->Constructor();
            AddControl_(row.name, control);
        }
        fw::SetProperties_(fw::RuntimeCheckCast(ControlByName_(row.name), cls), row.record());
        if (auto open = std::get_if<OpenHandler>(&row.handler))
            Wire(*this, row.name, *open);
        else if (auto action = std::get_if<ActionHandler>(&row.handler))
            Wire(*this, row.name, *action);
    }
}

template <class C> std::shared_ptr<C> MainWindow::ControlNamed(std::string_view name) const
{
    return fw::RuntimeCheckCast<C>(ControlByName_(name));
}

fw::TextFieldPtr MainWindow::TextField1() const { return ControlNamed<fw::TextField>("TextField1"); }
fw::BevelButtonPtr MainWindow::OKButton() const { return ControlNamed<fw::BevelButton>("OKButton"); }
fw::BevelButtonPtr MainWindow::NoBtutton() const { return ControlNamed<fw::BevelButton>("NoBtutton"); }
fw::BevelButtonPtr MainWindow::AButton() const { return ControlNamed<fw::BevelButton>("AButton"); }
fw::BevelButtonPtr MainWindow::BButton() const { return ControlNamed<fw::BevelButton>("BButton"); }
fw::BevelButtonPtr MainWindow::DButton() const { return ControlNamed<fw::BevelButton>("DButton"); }
fw::BevelButtonPtr MainWindow::CButton() const { return ControlNamed<fw::BevelButton>("CButton"); }
fw::BevelButtonPtr MainWindow::ResetButton() const { return ControlNamed<fw::BevelButton>("ResetButton"); }
fw::CanvasPtr MainWindow::Canvas1() const { return ControlNamed<fw::Canvas>("Canvas1"); }
fw::CanvasPtr MainWindow::Canvas2() const { return ControlNamed<fw::Canvas>("Canvas2"); }

fw::MenuItemPtr MainWindow::MenuItemNamed(std::string_view name) const
{
    auto bar = MenuBar();
    if (!bar)
        throw fw::NilObjectException("MainWindow: the window has no menu bar to find " + std::string(name) + " in");
    return fw::RuntimeCheckCast<fw::MenuItem>(bar->Lookup_(name));
}

fw::MenuItemPtr MainWindow::EditMenu() const { return MenuItemNamed("EditMenu"); }
fw::MenuItemPtr MainWindow::EditSelectAll() const { return MenuItemNamed("EditSelectAll"); }
fw::MenuItemPtr MainWindow::UntitledMenu0() const { return MenuItemNamed("UntitledMenu0"); }
fw::MenuItemPtr MainWindow::EditClear() const { return MenuItemNamed("EditClear"); }
fw::MenuItemPtr MainWindow::EditPaste() const { return MenuItemNamed("EditPaste"); }
fw::MenuItemPtr MainWindow::EditCopy() const { return MenuItemNamed("EditCopy"); }
fw::MenuItemPtr MainWindow::EditCut() const { return MenuItemNamed("EditCut"); }
fw::MenuItemPtr MainWindow::UntitledMenu1() const { return MenuItemNamed("UntitledMenu1"); }
fw::MenuItemPtr MainWindow::EditUndo() const { return MenuItemNamed("EditUndo"); }
fw::MenuItemPtr MainWindow::FileMenu() const { return MenuItemNamed("FileMenu"); }

std::shared_ptr<fw::QuitMenuItem> MainWindow::FileQuit() const
{
    return fw::RuntimeCheckCast<fw::QuitMenuItem>(MenuItemNamed("FileQuit"));
}

bool MainWindow::IsEventImplemented(std::string_view eventName)
{
    return fw::RuntimeIsEventHandled_(shared_from_this(), kClassName, eventName, true);
}

void MainWindow::Exit__() { std::string().swap(hantei); }

void MainWindow::Show(std::string text)
{
    auto field = TextField1();
    if (!field)
        throw fw::NilObjectException("MainWindow: the text box TextField1 cannot be reached");
    field->Text(std::move(text));
}

void MainWindow::ShowQuestion(int number)
{
    const QuizQuestion& question = Question(number, bunki);
    Show(QuestionText(question.prompt, question.choices));
}

// Questions 1 and 6 are judged against the alternative that bunki picks now,
// which is the one the step before showed.
void MainWindow::JudgeAnswer(int number)
{
    const QuizQuestion& question = Question(number, bunki);
    Judge(question.correctAnswer, question.wrongAnswer);
}

// The verdict and the count change before the verdict is shown, so they stay
// even when showing it fails.
void MainWindow::Judge(std::int64_t correctAnswer, std::string_view wrongAnswer)
{
    if (abcd == correctAnswer) {
        hantei = kCorrectVerdict;
        HP = HP + 1;
    } else {
        hantei = wrongAnswer;
    }
    Show(Join({ hantei, kVerdictSuffix }));
}

// The first alternative four times in five; a product of exactly 4.0 picks the second.
void MainWindow::DrawBranch()
{
    const double r = fw::Rnd();
    bunki = 4.0 > r * 5.0;
}

void MainWindow::OKButton_Action(const fw::BevelButtonPtr&)
{
    switch (i) {
    case 0:
        HP = 0;
        Show(std::string(kIntroductionMessage));
        break;
    case 1:
        Show(std::string(kStartMessage));
        DrawBranch();
        break;
    case 2:
        ShowQuestion(1);
        break;
    case 3:
        JudgeAnswer(1);
        break;
    case 4:
        ShowQuestion(2);
        break;
    case 5:
        JudgeAnswer(2);
        break;
    case 6:
        ShowQuestion(3);
        break;
    case 7:
        JudgeAnswer(3);
        break;
    case 8:
        ShowQuestion(4);
        break;
    case 9:
        JudgeAnswer(4);
        break;
    case 10:
        ShowQuestion(5);
        break;
    case 11:
        JudgeAnswer(5);
        DrawBranch();
        break;
    case 12:
        ShowQuestion(6);
        break;
    case 13:
        JudgeAnswer(6);
        break;
    case 14:
        ShowQuestion(7);
        break;
    case 15:
        JudgeAnswer(7);
        break;
    case 16:
        ShowQuestion(8);
        break;
    case 17:
        JudgeAnswer(8);
        break;
    case 18:
        ShowQuestion(9);
        break;
    case 19:
        JudgeAnswer(9);
        break;
    case 20:
        ShowQuestion(10);
        break;
    case 21:
        JudgeAnswer(10);
        break;
    case 22:
        Show(Join({ kResultPrefix, fw::Str(HP * 10, ""), kResultSuffix }));
        break;
    case 23:
        Show(std::string(kReturnMessage));
        HP = 0;
        i = -1;
        break;
    default:
        // After Reset (-1) a press performs no step and only brings i back to 0.
        break;
    }
    i = i + 1;
}

void MainWindow::TextField1_Open(const fw::TextFieldPtr& field)
{
    if (!field)
        throw fw::NilObjectException("MainWindow.TextField1_Open: the text field is nil");
    field->Text(Join({ kWelcomeFirstLine, fw::Chr(13), kWelcomeSecondLine }));
}

void MainWindow::AButton_Action(const fw::BevelButtonPtr&) { abcd = kAnswerA; }
void MainWindow::BButton_Action(const fw::BevelButtonPtr&) { abcd = kAnswerB; }
void MainWindow::CButton_Action(const fw::BevelButtonPtr&) { abcd = kAnswerC; }
void MainWindow::DButton_Action(const fw::BevelButtonPtr&) { abcd = kAnswerD; }

// Two presses of OK lead back to the introduction: the first finds no step for -1.
void MainWindow::ResetButton_Action(const fw::BevelButtonPtr&)
{
    Show(std::string(kResetMessage));
    i = -1;
}

void MainWindow::NoBtutton_Action(const fw::BevelButtonPtr&) { i = 9; }

// At 8 the second question is shown and judged in the same call, so its
// verdict takes the question's place at once.
void MainWindow::ACourse()
{
    switch (i) {
    case 6:
        Show(QuestionText(kCourseFirstPrompt, Question(2, false).choices));
        break;
    case 7:
        Judge(kAnswerC, kWrongAnswerC);
        break;
    case 8:
        Show(QuestionText(kCourseSecondPrompt, kCourseSecondChoices));
        Judge(kAnswerC, kWrongAnswerC);
        break;
    default:
        break;
    }
    i = i + 1;
}

} // namespace velunto
