// The menu bar of the main window, bound to the menus of the screen model.
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include "ui/main_window.h"
#include "ui/text.h"

namespace tarvex::ui {
namespace {

// Menu captions are UTF-8: they name devices.
QString MenuText(const std::string& caption) {
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

void MainWindow::AddMenu(Menu& menu, const std::function<void(int)>& onClick) {
    QMenu* top = menuBar()->addMenu(MenuText(menu.header.caption));
    top->setObjectName(ToQt(menu.header.name));
    menus_[menu.header.name] = top;
    for (MenuItem& item : menu.items) {
        if (item.IsSeparator()) {
            actions_[&item] = top->addSeparator();
            continue;
        }
        if (&menu == &screen_.menuRadio && item.index == screen_.mComPort.header.index) {
            QMenu* sub = top->addMenu(MenuText(item.caption));
            sub->setObjectName("mComPort");
            menus_["mComPort"] = sub;
            actions_[&item] = sub->menuAction();
            FillComPortMenu(false);
            // Listed anew at every opening, so that an adapter plugged in or out shows at once.
            connect(sub, &QMenu::aboutToShow, this, [this] { FillComPortMenu(true); });
            continue;
        }
        QAction* action = top->addAction(MenuText(item.caption));
        action->setCheckable(item.checkable);
        const int index = item.index;
        connect(action, &QAction::triggered, this,
                [this, onClick, index] { RunCommand([onClick, index] { onClick(index); }); });
        actions_[&item] = action;
    }
}

void MainWindow::FillComPortMenu(bool listDevices) {
    QMenu* sub = menus_.at("mComPort");
    // The program may rebuild the items: their actions go first, while the items are still there.
    for (const MenuItem& port : screen_.mComPort.items) {
        actions_.erase(&port);
    }
    sub->clear();
    if (listDevices) {
        app_.RefreshComPortMenu();
    }
    const bool built = menus_.count("menuHelp") > 0;
    for (MenuItem& port : screen_.mComPort.items) {
        if (port.IsSeparator()) {
            actions_[&port] = sub->addSeparator();
            continue;
        }
        QAction* action = sub->addAction(MenuText(port.caption));
        action->setCheckable(true);
        const int index = port.index;
        connect(action, &QAction::triggered, this,
                [this, index] { RunCommand([this, index] { app_.mComPort_Click(index); }); });
        actions_[&port] = action;
    }
    if (built) {
        ShowMenus();
    }
}

void MainWindow::BuildMenus() {
    AddMenu(screen_.menuFile, [this](int index) { app_.mFile_Click(index); });
    AddMenu(screen_.menuRadio, [this](int index) { app_.mRadio_Click(index); });
    AddMenu(screen_.menuHelp, [this](int index) { app_.mHelp_Click(index); });
    connect(menus_.at("menuHelp"), &QMenu::aboutToShow, this, [this] { app_.menuHelp_Click(); });
}

QAction* MainWindow::MenuItemAction(const std::string& arrayName, int index) const {
    for (const auto& [item, action] : actions_) {
        if (item->name == arrayName && item->index == index) {
            return action;
        }
    }
    return nullptr;
}

QMenu* MainWindow::TopMenu(const std::string& name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

void MainWindow::ShowMenus() {
    const auto show = [this](const MenuItem& item) {
        QAction* action = actions_.at(&item);
        action->setEnabled(item.enabled);
        action->setVisible(item.visible);
        if (action->isCheckable()) {
            action->setChecked(item.checked);
        }
    };
    for (Menu* menu : {&screen_.menuFile, &screen_.menuRadio, &screen_.menuHelp}) {
        menus_.at(menu->header.name)->menuAction()->setEnabled(menu->header.enabled);
        for (const MenuItem& item : menu->items) {
            show(item);
        }
    }
    for (const MenuItem& item : screen_.mComPort.items) {
        show(item);
    }
}

}  // namespace tarvex::ui
