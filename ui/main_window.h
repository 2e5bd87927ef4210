#pragma once

#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/programmer_app.h"

class QAction;
class QMenu;
class QLineEdit;

namespace tarvex::ui {

class TerminalView;
class ToolTipRenderer;

// FrmMainScrn: one widget per control of the screen model, placed at its position. The window
// shows the model (Refresh) and forwards key presses with the caret, focus losses, clicks, row
// picks and menu commands to the program; it holds no rule of its own.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(ProgrammerApp& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the model: every widget, the menus, the title and the keep-alive timer.
    void Refresh();
    // Moves the keyboard focus where the logic asks. Not a user leaving a field: the control
    // that had the focus for that moment gets no focus-loss event.
    void FocusControl(std::string_view name, int index);
    // An event pass during radio work: show the model, repaint, run timers; user input waits.
    void ProcessPendingEvents();

    // The widget of a control and the action of a menu item (for tests and tools).
    QWidget* WidgetOf(const std::string& name, int index = -1) const;
    QAction* MenuItemAction(const std::string& arrayName, int index) const;
    QMenu* TopMenu(const std::string& name) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    QWidget* CreateWidget(Control& control, QWidget* parent);
    void BuildMenus();
    void AddMenu(Menu& menu, const std::function<void(int)>& onClick);
    // The Com Port menu's actions from the model's items, listing the devices present first when
    // asked.
    void FillComPortMenu(bool listDevices);
    void SetTabOrder();
    void RunCommand(const std::function<void()>& command);

    bool TextBoxKeyPress(QLineEdit& edit, Control& box, int code);
    void SyncFromWidget(Control& control);
    void OnFocusChanged(QWidget* now);
    void ShowControl(Control& control, QWidget& widget);
    void ShowMenus();
    void ShowTerminal();
    void ShowTimer(QTimer& timer, const Control& control);
    Control* ControlOf(QObject* object) const;

    ProgrammerApp& app_;
    ScreenModel& screen_;
    std::map<Control*, QWidget*> widgets_;
    std::map<QObject*, Control*> controls_;
    std::map<const MenuItem*, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    TerminalView* terminal_ = nullptr;
    ToolTipRenderer* tips_ = nullptr;
    QTimer keepAlive_;
    QTimer statusNotice_;
    Control* lastFocus_ = nullptr;
    bool movingFocus_ = false;
    bool terminalShown_ = false;
    std::string shownPicture_;
};

}  // namespace tarvex::ui
