#include "results/ui/commandbars.h"

#include "app/commands.h"
#include "app/ui/icons.h"
#include "dialogs/ui/uitext.h"
#include "results/ui/resultsicons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

QAction* FindCommandAction(const CommandActions& actions, int id)
{
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

QAction* MakeCommandAction(QMainWindow& window, const ResultsCommandInfo& info, bool checkable,
                           std::function<void()> run)
{
    auto* a = new QAction(U(info.menuText), &window);
    if (*info.prompt) {
        a->setStatusTip(U(info.prompt));
        a->setToolTip(U(info.prompt));
    }
    if (*info.shortcut)
        a->setShortcut(QKeySequence(U(info.shortcut)));
    a->setIcon(ResultsCommandIcon(info.id));
    a->setIconVisibleInMenu(false);
    a->setCheckable(checkable);
    a->setEnabled(false);
    QObject::connect(a, &QAction::triggered, &window, std::move(run));
    window.addAction(a);
    return a;
}

void BuildCommandMenus(QMainWindow& window, const std::vector<ResultsMenu>& layout, const CommandActions& actions,
                       const std::function<void()>& beforeShow)
{
    for (const ResultsMenu& top : layout) {
        QMenu* menu = window.menuBar()->addMenu(U(top.title));
        QObject::connect(menu, &QMenu::aboutToShow, &window, beforeShow);
        QMenu* target = menu;
        int left = 0;
        std::size_t submenu = 0;
        for (int id : top.items) {
            if (id < 0) {
                target = menu->addMenu(U(top.submenus[submenu++]));
                left = -id;
                continue;
            }
            if (id == 0)
                target->addSeparator();
            else
                target->addAction(FindCommandAction(actions, id));
            if (left > 0 && --left == 0)
                target = menu;
        }
    }
}

QToolBar* BuildCommandToolBar(QMainWindow& window, const char* objectName, const std::vector<int>& layout,
                              const CommandActions& actions)
{
    auto* bar = new QToolBar(U("Стандартная"), &window);
    bar->setObjectName(objectName);
    bar->setIconSize(QSize(kIconSize, kIconSize));
    for (int id : layout) {
        if (id == 0)
            bar->addSeparator();
        else
            bar->addAction(FindCommandAction(actions, id));
    }
    window.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

void KeepIdlePrompt(QMainWindow& window)
{
    QStatusBar* status = window.statusBar();
    status->showMessage(U(kIdleMessage));
    QObject::connect(status, &QStatusBar::messageChanged, &window, [status](const QString& text) {
        if (text.isEmpty())
            status->showMessage(U(kIdleMessage));
    });
}

void ApplyCommandStates(const CommandActions& actions, const std::function<ResultsCommandState(int)>& state)
{
    for (const auto& [id, action] : actions) {
        const ResultsCommandState st = state(id);
        action->setEnabled(st.enabled);
        if (action->isCheckable())
            action->setChecked(st.checked);
    }
}
