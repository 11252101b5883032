// The core writes the window system's numbers out by hand; here each one meets the system's own header.
#include "core/Codes.h"
#include "core/SharedBlocks.h"

#include <windows.h>

namespace ptrassist {

static_assert(Msg::Close == WM_CLOSE && Msg::KeyDown == WM_KEYDOWN && Msg::KeyUp == WM_KEYUP);
static_assert(Msg::SysCommand == WM_SYSCOMMAND && Msg::HScroll == WM_HSCROLL && Msg::VScroll == WM_VSCROLL);
static_assert(Msg::MenuSelect == WM_MENUSELECT && Msg::AppCommand == WM_APPCOMMAND);
static_assert(Msg::NcMouseMove == WM_NCMOUSEMOVE && Msg::NcLButtonDown == WM_NCLBUTTONDOWN);
static_assert(Msg::NcLButtonDblClk == WM_NCLBUTTONDBLCLK && Msg::NcRButtonDown == WM_NCRBUTTONDOWN);
static_assert(Msg::NcRButtonDblClk == WM_NCRBUTTONDBLCLK && Msg::NcMButtonDown == WM_NCMBUTTONDOWN);
static_assert(Msg::NcMButtonUp == WM_NCMBUTTONUP && Msg::NcMButtonDblClk == WM_NCMBUTTONDBLCLK);
static_assert(Msg::NcXButtonDown == WM_NCXBUTTONDOWN && Msg::NcXButtonDblClk == WM_NCXBUTTONDBLCLK);
static_assert(Msg::MouseMove == WM_MOUSEMOVE && Msg::LButtonDown == WM_LBUTTONDOWN && Msg::LButtonUp == WM_LBUTTONUP);
static_assert(Msg::LButtonDblClk == WM_LBUTTONDBLCLK && Msg::RButtonDown == WM_RBUTTONDOWN);
static_assert(Msg::RButtonUp == WM_RBUTTONUP && Msg::RButtonDblClk == WM_RBUTTONDBLCLK);
static_assert(Msg::MButtonDown == WM_MBUTTONDOWN && Msg::MButtonUp == WM_MBUTTONUP);
static_assert(Msg::MButtonDblClk == WM_MBUTTONDBLCLK && Msg::MouseWheel == WM_MOUSEWHEEL);
static_assert(Msg::XButtonDown == WM_XBUTTONDOWN && Msg::XButtonUp == WM_XBUTTONUP);
static_assert(Msg::XButtonDblClk == WM_XBUTTONDBLCLK);

static_assert(Style::Popup == WS_POPUP && Style::Child == WS_CHILD && Style::Minimize == WS_MINIMIZE);
static_assert(Style::Maximize == WS_MAXIMIZE && Style::VScroll == WS_VSCROLL && Style::HScroll == WS_HSCROLL);
static_assert(Style::SysMenu == WS_SYSMENU && Style::MinimizeBox == WS_MINIMIZEBOX);
static_assert(Style::MaximizeBox == WS_MAXIMIZEBOX && Style::BarVertical == SBS_VERT);
static_assert(Style::BarSizeBox == SBS_SIZEBOX);

static_assert(ScrollCode::LineUp == SB_LINEUP && ScrollCode::LineDown == SB_LINEDOWN);
static_assert(ScrollCode::PageUp == SB_PAGEUP && ScrollCode::PageDown == SB_PAGEDOWN);
static_assert(ScrollCode::EndScroll == SB_ENDSCROLL);
static_assert(SysCommand::Minimize == SC_MINIMIZE && SysCommand::Maximize == SC_MAXIMIZE);
static_assert(SysCommand::Close == SC_CLOSE);

static_assert(Hook::Action == HC_ACTION && Hook::NoRemove == HC_NOREMOVE && Hook::MenuFilter == MSGF_MENU);
static_assert(Hook::LowLevelInjected == LLMHF_INJECTED);
static_assert(XButton1 == XBUTTON1 && XButton2 == XBUTTON2);

static_assert(Vk::Back == VK_BACK && Vk::Tab == VK_TAB && Vk::Return == VK_RETURN && Vk::Shift == VK_SHIFT);
static_assert(Vk::Control == VK_CONTROL && Vk::Menu == VK_MENU && Vk::Escape == VK_ESCAPE && Vk::Space == VK_SPACE);
static_assert(Vk::Prior == VK_PRIOR && Vk::Next == VK_NEXT && Vk::End == VK_END && Vk::Home == VK_HOME);
static_assert(Vk::Left == VK_LEFT && Vk::Up == VK_UP && Vk::Right == VK_RIGHT && Vk::Down == VK_DOWN);
static_assert(Vk::Delete == VK_DELETE && Vk::LWin == VK_LWIN && Vk::F1 == VK_F1);

static_assert(ShowCommand::ShowNormal == SW_SHOWNORMAL && ShowCommand::Show == SW_SHOW);

// Both blocks are shared with programs of the other width: their layout may not depend on it.
static_assert(sizeof(MouseSettingsBlock) == 120 && sizeof(SharedHookState) == 124);

} // namespace ptrassist
