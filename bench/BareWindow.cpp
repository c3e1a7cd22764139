#include "BareWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextOption>
#include <QVBoxLayout>

namespace {

struct Place {
    int left;
    int top;
    int width;
    int height;
};

struct ButtonRow {
    const char* caption;
    Place place;
};

constexpr std::array<ButtonRow, 7> kButtons { {
    { "OK", { 52, 368, 68, 41 } },
    { "NO", { 132, 368, 68, 41 } },
    { "A", { 52, 421, 60, 33 } },
    { "B", { 124, 421, 60, 33 } },
    { "D", { 261, 421, 60, 33 } },
    { "C", { 196, 421, 60, 33 } },
    { "Reset", { 212, 368, 68, 41 } },
} };

constexpr std::array<Place, 2> kCanvases { { { 261, 159, 206, 176 }, { 552, 368, 105, 105 } } };

void SetPlace(QWidget& widget, const Place& place)
{
    widget.setGeometry(place.left, place.top, place.width, place.height);
}

void AddItem(QMenu& menu, const char* caption, const char* shortcut = nullptr)
{
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    if (shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
}

} // namespace

BareWindow::BareWindow()
    : m_bar(new QMenuBar(&m_window))
    , m_content(new QWidget(&m_window))
    , m_text(new QPlainTextEdit(m_content))
{
    auto* layout = new QVBoxLayout(&m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_bar);
    layout->addWidget(m_content);

    m_bar->setNativeMenuBar(false);
    QMenu* file = m_bar->addMenu(QString::fromUtf8("ファイル"));
    m_quit = file->addAction(QString::fromUtf8("終了"));
    m_quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    m_quit->setMenuRole(QAction::QuitRole);
    QMenu* edit = m_bar->addMenu(QString::fromUtf8("編集"));
    AddItem(*edit, "元に戻す", "Ctrl+Z");
    edit->addSeparator();
    AddItem(*edit, "カット", "Ctrl+X");
    AddItem(*edit, "コピー", "Ctrl+C");
    AddItem(*edit, "貼り付け", "Ctrl+V");
    AddItem(*edit, "削除");
    edit->addSeparator();
    AddItem(*edit, "すべてを選択", "Ctrl+A");

    for (std::size_t i = 0; i < kButtons.size(); ++i)
        m_buttons[i] = new QPushButton(m_content);
    for (QWidget*& canvas : m_canvases)
        canvas = new QWidget(m_content);
}

void BareWindow::Configure()
{
    m_window.setWindowTitle(QStringLiteral("Velunto"));
    m_window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The limits are those of the content area; the window's follow them.
    m_window.layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
    m_content->setMinimumSize(64, 64);
    m_content->setMaximumSize(32000, 32000);
    m_window.resize(730, 518 + m_bar->heightForWidth(730));
    m_content->setAutoFillBackground(true);
    QPalette palette = m_content->palette();
    palette.setColor(QPalette::Window, QColor(0x24, 0xBE, 0x14));
    m_content->setPalette(palette);

    SetPlace(*m_text, { 33, 20, 645, 137 });
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setTabChangesFocus(true);
    // Japanese text has no spaces to break at.
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        QPushButton& button = *m_buttons[i];
        SetPlace(button, kButtons[i].place);
        button.setText(QString::fromLatin1(kButtons[i].caption));
        button.setFocusPolicy(Qt::NoFocus);
    }
    // The NO button is made like the others, but hidden and disabled.
    m_buttons[1]->setVisible(false);
    m_buttons[1]->setEnabled(false);
    for (std::size_t i = 0; i < kCanvases.size(); ++i)
        SetPlace(*m_canvases[i], kCanvases[i]);
}
