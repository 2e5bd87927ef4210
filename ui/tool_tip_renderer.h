#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <functional>

#include "files/tool_tip.h"

class QLabel;
class QWidget;

namespace tarvex::ui {

// Draws the tips of the tooltip layer with Qt: a widget whose control is a tool of the tip window
// shows the tool's text in the window's colours and margins, wrapped at its maximum width, for
// its auto-pop time. Widgets that are no tools keep Qt's own tooltips.
class ToolTipRenderer final : public QObject {
    Q_OBJECT

  public:
    using ControlLookup = std::function<ControlRef(QObject*)>;
    ToolTipRenderer(const CtoolTip& toolTip, ControlLookup lookup, QObject* parent);
    ~ToolTipRenderer() override;

    void Watch(QWidget* widget);
    // Shows the tip of the widget's tool at a global position; false when the widget is no tool.
    bool ShowTip(QWidget* widget, const QPoint& globalPos);
    void HideTip();

    QLabel* popup() const { return popup_; }
    const QTimer& hideTimer() const { return hideTimer_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const CtoolTip& toolTip_;
    ControlLookup lookup_;
    QLabel* popup_;
    QTimer hideTimer_;
};

}  // namespace tarvex::ui
