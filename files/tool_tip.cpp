#include "files/tool_tip.h"

#include <algorithm>

namespace tarvex {
namespace {

// The desktop's double-click time, from which the default delays follow.
constexpr int kDefaultInitialDelay = 500;
constexpr int kAutoPopPerInitial = 10;
constexpr int kInitialPerReshow = 5;
constexpr Rgb kInfoBackground{255, 255, 225};
constexpr Rgb kInfoText{0, 0, 0};
constexpr std::int16_t kNoWidthLimit = -1;

std::int32_t NextWindowHandle() {
    static std::int32_t next = 0x1000;
    next += 4;
    return next;
}

ControlRef RefOf(const Control& control) {
    return {control.name, control.index};
}

ControlRef ContainerOf(const Control& control) {
    return {control.container.empty() ? std::string("FrmMainScrn") : control.container, -1};
}

bool HasOwnWindow(const Control& control) {
    switch (control.kind) {
        case ControlKind::Label:
        case ControlKind::Line:
        case ControlKind::Picture:
        case ControlKind::Timer:
            return false;
        default:
            return true;
    }
}

int LowTwoBits(int type) {
    return type & 3;
}

}  // namespace

ColorRef ColorOf(Rgb rgb) {
    return static_cast<ColorRef>(rgb.r | (rgb.g << 8) | (rgb.b << 16));
}

Rgb RgbOf(ColorRef color) {
    return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
}

TipWindow::TipWindow(std::int32_t handle, ControlRef parent)
    : handle_(handle),
      parent_(std::move(parent)),
      backColor_(ColorOf(kInfoBackground)),
      textColor_(ColorOf(kInfoText)) {
    SetDelayTime(kDelayAutomatic, -1);
}

bool TipWindow::AddTool(const ToolInfo& tool) {
    if (tool.cbSize != ToolInfo::kSize) {
        return false;
    }
    tools_.push_back(tool);
    return true;
}

void TipWindow::DelTool(const ToolInfo& tool) {
    std::erase_if(tools_,
                  [&tool](const ToolInfo& t) { return t.hwnd == tool.hwnd && t.uId == tool.uId; });
}

bool TipWindow::EnumTools(int index, ToolInfo& tool, std::size_t textBufferLength) const {
    if (index < 0 || index >= GetToolCount()) {
        return false;
    }
    const ToolInfo& found = tools_[static_cast<std::size_t>(index)];
    tool.uFlags = found.uFlags;
    tool.hwnd = found.hwnd;
    tool.uId = found.uId;
    tool.lpszText =
        textBufferLength == 0 ? std::string() : found.lpszText.substr(0, textBufferLength - 1);
    return true;
}

void TipWindow::UpdateTipText(const ToolInfo& tool) {
    for (ToolInfo& t : tools_) {
        if (t.hwnd == tool.hwnd && t.uId == tool.uId) {
            t.lpszText = tool.lpszText;
        }
    }
}

int TipWindow::GetDelayTime(int type) const {
    const int which = LowTwoBits(type);
    return delays_[static_cast<std::size_t>(which == kDelayAutomatic ? kDelayInitial : which)];
}

void TipWindow::SetDelayTime(int type, int milliseconds) {
    const int which = LowTwoBits(type);
    // The automatic type derives the others from one initial delay; a negative time means the
    // default of the type.
    const int initial =
        which == kDelayAutomatic && milliseconds >= 0 ? milliseconds : kDefaultInitialDelay;
    const std::array<int, 4> derived{initial, initial / kInitialPerReshow,
                                     initial * kAutoPopPerInitial, initial};
    if (which == kDelayAutomatic) {
        delays_ = derived;
    } else {
        delays_[static_cast<std::size_t>(which)] =
            milliseconds < 0 ? derived[static_cast<std::size_t>(which)] : milliseconds;
    }
}

const ToolInfo* TipWindow::FindTool(const ControlRef& control) const {
    const auto found = std::find_if(tools_.begin(), tools_.end(),
                                    [&control](const ToolInfo& t) { return t.uId == control; });
    return found == tools_.end() ? nullptr : &*found;
}

bool CtoolTip::Create(const Control& form) {
    if (!TipWindow_) {
        TipWindow_ = std::make_unique<TipWindow>(NextWindowHandle(), RefOf(form));
    }
    return TipWindow_->handle() != 0;
}

bool CtoolTip::FindTool(const ControlRef& control, bool wantText, ToolInfo& found) const {
    if (!TipWindow_) {
        return false;
    }
    found = ToolInfo{};
    const std::size_t bufferLength = wantText ? TextBufferLen : 0;
    for (int i = 0; i < TipWindow_->GetToolCount(); ++i) {
        if (TipWindow_->EnumTools(i, found, bufferLength) && found.uId == control) {
            return true;
        }
    }
    return false;
}

bool CtoolTip::AddTool(const Control& control, std::string_view text) {
    if (!TipWindow_ || !HasOwnWindow(control)) {
        return false;
    }
    ToolInfo existing;
    if (FindTool(RefOf(control), false, existing)) {
        return false;
    }
    ToolInfo tool;
    tool.uFlags = ToolInfo::kIdIsWindow | ToolInfo::kSubclass;
    tool.hwnd = ContainerOf(control);
    tool.uId = RefOf(control);
    tool.lpszText = text.empty() ? "Tool" + std::to_string(ToolCount() + 1) : std::string(text);
    TextBufferLen = std::max(TextBufferLen, tool.lpszText.size() + 1);
    return TipWindow_->AddTool(tool);
}

bool CtoolTip::RemoveTool(const Control& control) {
    ToolInfo found;
    if (!FindTool(RefOf(control), false, found)) {
        return false;
    }
    TipWindow_->DelTool(found);
    return true;
}

ColorRef CtoolTip::BackColor() const {
    return TipWindow_ ? TipWindow_->GetTipBkColor() : 0;
}

void CtoolTip::BackColor(ColorRef color) {
    if (TipWindow_) {
        TipWindow_->SetTipBkColor(color);
    }
}

int CtoolTip::DelayTime(int type) const {
    return TipWindow_ ? TipWindow_->GetDelayTime(LowTwoBits(type)) : 0;
}

void CtoolTip::DelayTime(int type, int milliseconds) {
    if (TipWindow_) {
        TipWindow_->SetDelayTime(LowTwoBits(type), milliseconds);
    }
}

ColorRef CtoolTip::ForeColor() const {
    return TipWindow_ ? TipWindow_->GetTipTextColor() : 0;
}

void CtoolTip::ForeColor(ColorRef color) {
    if (TipWindow_) {
        TipWindow_->SetTipTextColor(color);
    }
}

int CtoolTip::Margin(int side) const {
    if (!TipWindow_ || side < kMarginLeft || side > kMarginBottom) {
        return 0;
    }
    return TipWindow_->GetMargin()[static_cast<std::size_t>(side)];
}

void CtoolTip::Margin(int side, int pixels) {
    if (!TipWindow_ || side < kMarginLeft || side > kMarginBottom) {
        return;
    }
    std::array<int, 4> margins = TipWindow_->GetMargin();
    margins[static_cast<std::size_t>(side)] = pixels;
    TipWindow_->SetMargin(margins);
}

std::int16_t CtoolTip::MaxTipWidth() const {
    if (!TipWindow_) {
        return 0;
    }
    return static_cast<std::int16_t>(TipWindow_->GetMaxTipWidth() & 0xFFFF);
}

void CtoolTip::MaxTipWidth(std::int16_t width) {
    if (TipWindow_) {
        TipWindow_->SetMaxTipWidth(width < 1 ? kNoWidthLimit : width);
    }
}

std::int16_t CtoolTip::ToolCount() const {
    return TipWindow_ ? static_cast<std::int16_t>(TipWindow_->GetToolCount()) : 0;
}

std::string CtoolTip::ToolText(const Control& control) const {
    ToolInfo found;
    if (!FindTool(RefOf(control), true, found)) {
        return {};
    }
    return found.lpszText.substr(0, found.lpszText.find('\0'));
}

void CtoolTip::ToolText(const Control& control, std::string_view text) {
    ToolInfo found;
    if (!FindTool(RefOf(control), false, found)) {
        return;
    }
    found.lpszText = std::string(text);
    TextBufferLen = std::max(TextBufferLen, text.size() + 1);
    TipWindow_->UpdateTipText(found);
}

void SetUpMainWindowTips(CtoolTip& toolTip, const ScreenModel& screen) {
    constexpr std::int16_t kTipWidth = 240;
    constexpr int kTipShownMs = 20000;
    toolTip.Create(screen.FrmMainScrn);
    toolTip.MaxTipWidth(kTipWidth);
    toolTip.DelayTime(kDelayAutoPop, kTipShownMs);
    for (const Control* control : screen.AllControls()) {
        if (control->name == "TxtRptrTXFreq" || control->name == "TxtRptrRXFreq") {
            toolTip.AddTool(*control);
        }
    }
    toolTip.ToolText(screen.TxtRptrTXFreq, screen.TxtRptrTXFreq.helpText);
    toolTip.ToolText(screen.TxtRptrRXFreq, screen.TxtRptrRXFreq.helpText);
}

}  // namespace tarvex
