#pragma once

#include "fw/Controls.h"
#include "fw/Menu.h"
#include "fw/Window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velunto {

// The quiz window. Its game state is five plain properties that the handlers
// read and write directly; each starts at its zero value.
class MainWindow : public fw::Window {
public:
    ~MainWindow() override;

    static const fw::ClassInfo& Lookup__();
    // Class-table initialiser: registers the class.
    static void ctblinit__();

    // The one window: the one the framework holds, else a newly built one.
    static std::shared_ptr<MainWindow> Instance();

    // Set-up events: the menu bar and the window record; the ten controls.
    void Layout() override;
    void CreateControls() override;
    void CreateControls0_();

    fw::TextFieldPtr TextField1() const;
    fw::BevelButtonPtr OKButton() const;
    fw::BevelButtonPtr NoBtutton() const;
    fw::BevelButtonPtr AButton() const;
    fw::BevelButtonPtr BButton() const;
    fw::BevelButtonPtr DButton() const;
    fw::BevelButtonPtr CButton() const;
    fw::BevelButtonPtr ResetButton() const;
    fw::CanvasPtr Canvas1() const;
    fw::CanvasPtr Canvas2() const;

    void TextField1_Open(const fw::TextFieldPtr& field);
    // One step of the quiz per press.
    void OKButton_Action(const fw::BevelButtonPtr& button);
    void NoBtutton_Action(const fw::BevelButtonPtr& button);
    void AButton_Action(const fw::BevelButtonPtr& button);
    void BButton_Action(const fw::BevelButtonPtr& button);
    void DButton_Action(const fw::BevelButtonPtr& button);
    void CButton_Action(const fw::BevelButtonPtr& button);
    void ResetButton_Action(const fw::BevelButtonPtr& button);

    // Menu items of the window's menu bar, found by name at any depth.
    fw::MenuItemPtr EditMenu() const;
    fw::MenuItemPtr EditSelectAll() const;
    fw::MenuItemPtr UntitledMenu0() const;
    fw::MenuItemPtr EditClear() const;
    fw::MenuItemPtr EditPaste() const;
    fw::MenuItemPtr EditCopy() const;
    fw::MenuItemPtr EditCut() const;
    fw::MenuItemPtr UntitledMenu1() const;
    fw::MenuItemPtr EditUndo() const;
    fw::MenuItemPtr FileMenu() const;
    std::shared_ptr<fw::QuitMenuItem> FileQuit() const;

    // One step of a two-question course on the same step counter; nothing calls it.
    void ACourse();

    bool IsEventImplemented(std::string_view eventName);

    // Destructor hook: lets go of the verdict text.
    void Exit__();

    std::int64_t i = 0; // the step the next press of OK performs
    std::int64_t abcd = 0; // last letter chosen: A = 0, B = 1, C = 2, D = 3
    std::int64_t HP = 0; // right answers in the current pass
    std::string hantei; // verdict of the last judging
    bool bunki = false; // true picks the first alternative of question 1 or 6

private:
    template <class C> std::shared_ptr<C> ControlNamed(std::string_view name) const;
    fw::MenuItemPtr MenuItemNamed(std::string_view name) const;

    // Replaces the whole text of the text box; NilObjectException when it cannot be reached.
    void Show(std::string text);
    void ShowQuestion(int number);
    void JudgeAnswer(int number);
    void Judge(std::int64_t correctAnswer, std::string_view wrongAnswer);
    void DrawBranch();
};

} // namespace velunto
