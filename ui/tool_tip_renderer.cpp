#include "ui/tool_tip_renderer.h"

#include <QtGui/QHelpEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>
#include <algorithm>

#include "ui/text.h"

namespace tarvex::ui {
namespace {

// The common control's own padding around the text, besides the window's margins.
constexpr int kPadding = 3;
constexpr QPoint kBelowPointer{2, 18};

QColor QtColor(ColorRef color) {
    const Rgb rgb = RgbOf(color);
    return {rgb.r, rgb.g, rgb.b};
}

}  // namespace

ToolTipRenderer::ToolTipRenderer(const CtoolTip& toolTip, ControlLookup lookup, QObject* parent)
    : QObject(parent),
      toolTip_(toolTip),
      lookup_(std::move(lookup)),
      popup_(new QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)) {
    popup_->setObjectName("CtoolTip");
    popup_->setWordWrap(true);
    popup_->setFrameStyle(QFrame::Box | QFrame::Plain);
    popup_->setAutoFillBackground(true);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &ToolTipRenderer::HideTip);
}

ToolTipRenderer::~ToolTipRenderer() {
    delete popup_;
}

void ToolTipRenderer::Watch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool ToolTipRenderer::ShowTip(QWidget* widget, const QPoint& globalPos) {
    const TipWindow* window = toolTip_.window();
    const ToolInfo* tool = window != nullptr ? window->FindTool(lookup_(widget)) : nullptr;
    if (tool == nullptr) {
        return false;
    }
    const std::array<int, 4> margins = window->GetMargin();
    popup_->setContentsMargins(margins[kMarginLeft] + kPadding, margins[kMarginTop] + kPadding,
                               margins[kMarginRight] + kPadding, margins[kMarginBottom] + kPadding);
    QPalette palette = popup_->palette();
    palette.setColor(QPalette::Window, QtColor(window->GetTipBkColor()));
    palette.setColor(QPalette::WindowText, QtColor(window->GetTipTextColor()));
    popup_->setPalette(palette);
    popup_->setText(ToQt(tool->lpszText));

    // One line as long as the text needs, or wrapped at the maximum width.
    const QMargins frame = popup_->contentsMargins();
    const int chrome = frame.left() + frame.right() + 2 * popup_->frameWidth();
    int width = popup_->fontMetrics().horizontalAdvance(popup_->text()) + chrome + 1;
    if (window->GetMaxTipWidth() > 0) {
        width = std::min(width, window->GetMaxTipWidth());
    }
    popup_->setFixedWidth(width);
    popup_->setFixedHeight(popup_->heightForWidth(width));
    popup_->move(globalPos + kBelowPointer);
    popup_->show();
    hideTimer_.start(window->GetDelayTime(kDelayAutoPop));
    return true;
}

void ToolTipRenderer::HideTip() {
    hideTimer_.stop();
    popup_->hide();
}

bool ToolTipRenderer::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            return ShowTip(static_cast<QWidget*>(watched),
                           static_cast<QHelpEvent*>(event)->globalPos());
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Hide:
            HideTip();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace tarvex::ui
