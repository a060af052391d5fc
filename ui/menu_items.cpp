#include "ui/menu_items.h"

#include <QMenu>
#include <memory>
#include <vector>

QAction* AddMenuItem(QWidget* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    menu->addAction(item);
    return item;
}

void PopupWithCopyItems(QMenu& menu, std::span<const char* const> captions,
                        const std::function<void(int)>& chosen,
                        const std::function<void(QMenu&)>& show) {
    std::vector<std::unique_ptr<QAction>> elements;
    for (int index = 1; const char* caption : captions) {
        auto element = std::make_unique<QAction>(QString::fromLatin1(caption));
        element->setObjectName(QStringLiteral("Copy"));
        QObject::connect(element.get(), &QAction::triggered, [chosen, index] { chosen(index); });
        menu.addAction(element.get());
        elements.push_back(std::move(element));
        ++index;
    }
    show(menu);
}
