// The yardstick for velunto's start-up: the quiz window as a bare Qt 6 program
// would build it, with no framework in between. The same ten widgets at the
// same places, the same menu bar, title, background and welcome text, so that
// what velunto spends beyond this is the framework's.

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

void Place(QWidget* widget, int left, int top, int width, int height) { widget->setGeometry(left, top, width, height); }

QPushButton* Button(QWidget* parent, const char* caption, int left, int top, int width, int height)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setFocusPolicy(Qt::NoFocus);
    Place(button, left, top, width, height);
    return button;
}

void AddItem(QMenu* menu, const char* caption, QKeySequence shortcut = {})
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setShortcut(shortcut);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle("Velunto");
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QMenuBar(&window);
    QMenu* file = bar->addMenu(QString::fromUtf8("ファイル"));
    QAction* quit = file->addAction(QString::fromUtf8("終了"));
    quit->setShortcut(QKeySequence("Ctrl+Q"));
    QObject::connect(quit, &QAction::triggered, &application, &QApplication::quit);
    QMenu* edit = bar->addMenu(QString::fromUtf8("編集"));
    AddItem(edit, "元に戻す", QKeySequence("Ctrl+Z"));
    edit->addSeparator();
    AddItem(edit, "カット", QKeySequence("Ctrl+X"));
    AddItem(edit, "コピー", QKeySequence("Ctrl+C"));
    AddItem(edit, "貼り付け", QKeySequence("Ctrl+V"));
    AddItem(edit, "削除");
    edit->addSeparator();
    AddItem(edit, "すべてを選択", QKeySequence("Ctrl+A"));
    layout->setMenuBar(bar);

    auto* content = new QWidget(&window);
    content->setFixedSize(730, 518);
    content->setAutoFillBackground(true);
    QPalette palette = content->palette();
    palette.setColor(QPalette::Window, QColor(0x24, 0xBE, 0x14));
    content->setPalette(palette);
    layout->addWidget(content);

    auto* text = new QPlainTextEdit(content);
    text->setReadOnly(true);
    text->setPlainText(QString::fromUtf8("Veluntoへようこそ！\nOKボタンを押してください"));
    Place(text, 33, 20, 645, 137);
    Button(content, "OK", 52, 368, 68, 41);
    Button(content, "NO", 132, 368, 68, 41)->setVisible(false);
    Button(content, "A", 52, 421, 60, 33);
    Button(content, "B", 124, 421, 60, 33);
    Button(content, "D", 261, 421, 60, 33);
    Button(content, "C", 196, 421, 60, 33);
    Button(content, "Reset", 212, 368, 68, 41);
    Place(new QWidget(content), 261, 159, 206, 176);
    Place(new QWidget(content), 552, 368, 105, 105);

    window.show();
    return application.exec();
}
