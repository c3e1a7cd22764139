#pragma once

// The yardstick for velunto: the quiz window as a program written directly
// against Qt 6 builds it, with no framework in between. The same ten widgets
// at the same places, the same menu bar, title, size, size limits, title-bar
// buttons and background, and the same fonts (the application's default), so
// that what velunto spends beyond this is the framework's. Its first frame is
// pixel for pixel velunto's; startup_bench checks that.

#include <QWidget>

#include <array>

class QAction;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

class BareWindow {
public:
    // The widgets and menus, each with Qt's defaults; the window is hidden.
    BareWindow();

    // What the records of the window and its controls set, made directly on
    // the widgets: only what differs from Qt's defaults, as a Qt programmer
    // would write it.
    void Configure();

    QWidget& Window() { return m_window; }
    QPlainTextEdit& TextBox() { return *m_text; }
    QAction& Quit() { return *m_quit; }

private:
    QWidget m_window;
    QMenuBar* m_bar;
    QAction* m_quit;
    QWidget* m_content;
    QPlainTextEdit* m_text;
    // In the order velunto makes them: OK, NO, A, B, D, C, Reset.
    std::array<QPushButton*, 7> m_buttons;
    std::array<QWidget*, 2> m_canvases;
};
