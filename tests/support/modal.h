#pragma once
// Driving modal windows and popup menus in tests: the action runs inside the window's own
// event loop as soon as it shows, so exec never waits for a user.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <functional>

// Runs Act on the modal window of type Window once it shows; Act must close it. Another modal
// window is closed and counts as a failure.
template <class Window>
void OnModal(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<Window*>(modal)) {
            act(*window);
            return;
        }
        ADD_FAILURE() << "no modal " << Window::staticMetaObject.className();
        if (modal) modal->close();
    });
}

// Runs Act on the popup menu once it shows, after closing it, so that an item Act triggers
// runs as it would after the user's choice.
inline void OnPopup(std::function<void(QMenu&)> act) {
    QTimer::singleShot(0, [act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            ADD_FAILURE() << "no popup menu";
            return;
        }
        menu->close();
        act(*menu);
    });
}
