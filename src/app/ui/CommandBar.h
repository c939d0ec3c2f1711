#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The frame's menus and tool bar. Every item carries its command id; choosing one runs
// `run(id)`. Before a menu opens, check marks and enabled states are asked of the frame.
class CCommandBar : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(int)> run;
        std::function<bool(int)> checked; // true for a check mark
        std::function<bool(int)> enabled;
    };

    CCommandBar(QMainWindow& frame, Handlers handlers);

    // The action of a command id, or null.
    QAction* Action(int id) const { return m_actions.value(id); }
    QToolBar* ToolBar() const { return m_toolBar; }
    // Check marks and enabled states as the frame says now.
    void Refresh();

private:
    QAction* AddItem(QMenu* menu, int id, const QString& text, bool checkable = false);
    void BuildMenus(QMainWindow& frame);
    void BuildToolBar(QMainWindow& frame);

    Handlers m_handlers;
    QHash<int, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
};
