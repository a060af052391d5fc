#pragma once
// Menu items of the windows: named so tests find them, and the Copy item array whose extra
// elements exist only while the Edit menu pops up over a table.

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <span>

class QMenu;
class QWidget;

// An item named Name with Caption, added to Menu (a menu or the menu bar).
QAction* AddMenuItem(QWidget* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});

// The same, running Handler of Window when chosen.
template <class Window>
QAction* AddMenuItem(QWidget* menu, const char* name, const QString& caption, Window* window,
                     void (Window::*handler)(), const QKeySequence& shortcut = {}) {
    QAction* item = AddMenuItem(menu, name, caption, shortcut);
    QObject::connect(item, &QAction::triggered, window, handler);
    return item;
}

// Adds elements 1, 2, ... of the Copy item array with Captions to Menu, has Show pop it up,
// then removes them again. Choosing element I runs Chosen(I).
void PopupWithCopyItems(QMenu& menu, std::span<const char* const> captions,
                        const std::function<void(int)>& chosen,
                        const std::function<void(QMenu&)>& show);
