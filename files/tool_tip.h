#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/screen_model.h"

namespace tarvex {

// A control as the tooltip layer knows it: by name and element index, standing in for a window.
struct ControlRef {
    std::string name;
    int index = -1;
    friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

// One tool of a tip window, in the layout of the common control's tool description.
struct ToolInfo {
    static constexpr std::uint32_t kSize = 44;
    static constexpr std::uint32_t kIdIsWindow = 0x01;  // uId names a control's window
    static constexpr std::uint32_t kSubclass = 0x10;    // the tip watches the control itself

    std::uint32_t cbSize = kSize;
    std::uint32_t uFlags = 0;
    ControlRef hwnd;  // the control's container: the form or the frame that holds it
    ControlRef uId;   // the control itself
    std::string lpszText;
};

// Delay types; only the two low bits of a type count.
inline constexpr int kDelayAutomatic = 0;
inline constexpr int kDelayReshow = 1;
inline constexpr int kDelayAutoPop = 2;  // how long a tip stays up
inline constexpr int kDelayInitial = 3;

// Margin sides.
inline constexpr int kMarginLeft = 0;
inline constexpr int kMarginTop = 1;
inline constexpr int kMarginRight = 2;
inline constexpr int kMarginBottom = 3;

// Colours as 0x00BBGGRR.
using ColorRef = std::int32_t;
ColorRef ColorOf(Rgb rgb);
Rgb RgbOf(ColorRef color);

// The tooltip layer: one tip window with its tools and the settings its messages read and write.
// It stands in for the platform's common control; a renderer shows its tips.
class TipWindow {
  public:
    TipWindow(std::int32_t handle, ControlRef parent);

    std::int32_t handle() const { return handle_; }
    const ControlRef& parent() const { return parent_; }

    // The messages, by what they do. Texts are single-byte.
    bool AddTool(const ToolInfo& tool);
    void DelTool(const ToolInfo& tool);  // the tool with the same container and uId
    // Copies tool number index into tool, its text cut to textBufferLength - 1 characters (no
    // text with a length of 0). False when there is no such tool.
    bool EnumTools(int index, ToolInfo& tool, std::size_t textBufferLength) const;
    int GetToolCount() const { return static_cast<int>(tools_.size()); }
    void UpdateTipText(const ToolInfo& tool);

    ColorRef GetTipBkColor() const { return backColor_; }
    void SetTipBkColor(ColorRef color) { backColor_ = color; }
    ColorRef GetTipTextColor() const { return textColor_; }
    void SetTipTextColor(ColorRef color) { textColor_ = color; }
    // Delay type kDelayAutomatic sets the others from one value; a negative time restores the
    // defaults.
    int GetDelayTime(int type) const;
    void SetDelayTime(int type, int milliseconds);
    std::array<int, 4> GetMargin() const { return margins_; }  // left, top, right, bottom
    void SetMargin(const std::array<int, 4>& margins) { margins_ = margins; }
    int GetMaxTipWidth() const { return maxTipWidth_; }  // -1: no limit
    void SetMaxTipWidth(int width) { maxTipWidth_ = width; }

    // For the renderer: the tool of a control, if it is one.
    const ToolInfo* FindTool(const ControlRef& control) const;

  private:
    std::int32_t handle_;
    ControlRef parent_;
    std::vector<ToolInfo> tools_;
    ColorRef backColor_;
    ColorRef textColor_;
    std::array<int, 4> delays_{};
    std::array<int, 4> margins_{};
    int maxTipWidth_ = -1;
};

// The main window's tooltip object: a thin wrapper that keeps no tools of its own and asks its
// tip window whenever it needs one. Every member but Create and hWnd does nothing (0, false or
// empty) before Create.
class CtoolTip {
  public:
    CtoolTip() = default;
    ~CtoolTip() = default;  // releasing the object destroys the tip window
    CtoolTip(const CtoolTip&) = delete;
    CtoolTip& operator=(const CtoolTip&) = delete;

    bool Create(const Control& form);
    // Only controls with a window of their own (not labels, lines, pictures or timers) can be
    // tools; an empty text becomes "Tool" and the number the new tool will have.
    bool AddTool(const Control& control, std::string_view text = {});
    bool RemoveTool(const Control& control);

    ColorRef BackColor() const;
    void BackColor(ColorRef color);
    int DelayTime(int type) const;
    void DelayTime(int type, int milliseconds);
    ColorRef ForeColor() const;
    void ForeColor(ColorRef color);
    std::int32_t hWnd() const { return TipWindow_ ? TipWindow_->handle() : 0; }
    int Margin(int side) const;
    void Margin(int side, int pixels);
    std::int16_t MaxTipWidth() const;
    void MaxTipWidth(std::int16_t width);
    std::int16_t ToolCount() const;
    std::string ToolText(const Control& control) const;
    void ToolText(const Control& control, std::string_view text);

    // The tip window, for the renderer; null before Create.
    const TipWindow* window() const { return TipWindow_.get(); }

  private:
    bool FindTool(const ControlRef& control, bool wantText, ToolInfo& found) const;

    std::unique_ptr<TipWindow> TipWindow_;
    std::size_t TextBufferLen = 0;
};

// The main window's tips as start-up sets them up: the two frequency fields, their texts
// at most 240 pixels wide and shown for 20 seconds.
void SetUpMainWindowTips(CtoolTip& toolTip, const ScreenModel& screen);

}  // namespace tarvex
