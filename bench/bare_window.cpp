// The bare Qt 6 program that startup_bench starts beside velunto: the same
// window, shown with the same welcome text, and quit from its File menu.

#include "BareWindow.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BareWindow window;
    window.Configure();
    QObject::connect(&window.Quit(), &QAction::triggered, &application, &QApplication::quit);
    window.TextBox().setPlainText(QString::fromUtf8("Veluntoへようこそ！\nOKボタンを押してください"));
    window.Window().show();
    return application.exec();
}
