// Message maps: the tables that bind window messages, commands and control notifications
// to handler methods, and the macros that build them. Included by afxwin.h.
//
// A map is a static array of AFX_MSGMAP_ENTRY plus a pointer to the function returning the
// map named as the base in BEGIN_MESSAGE_MAP (which need not be the C++ base class). Each
// entry stores the handler as a generic member pointer and a signature code (nSig) telling
// the dispatcher how to crack the message into the handler's arguments. The macros cast the
// handler to the exact signature first, so a handler with the wrong signature does not
// compile.
#pragma once

#include "afxdefs.h"

class CCmdTarget;
class CWnd;
class CCmdUI;
class CDC;
class CMenu;
class CScrollBar;
class CPoint;

#ifndef PASCAL
#define PASCAL __stdcall
#endif
#define AFX_MSG_CALL

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message (WM_COMMAND for commands, 0xC000 for registered ones)
    UINT nCode;      // control notification code or WM_NOTIFY code (as a WORD)
    UINT nID;        // control id (0 for window messages)
    UINT nLastID;    // last control id of a range
    UINT_PTR nSig;   // signature code; for ON_REGISTERED_MESSAGE the address of the id
    AFX_PMSG pfn;    // handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages that a parent sends back to the child control they came from ("reflection").
#define WM_REFLECT_BASE 0xBC00
// The old message number MFC uses for all WM_CTLCOLOR* messages in maps.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Sent to a dialog by its modal loop when the loop goes idle (wParam MSGF_DIALOGBOX,
// lParam the idle count).
#define WM_KICKIDLE 0x036A
#define WM_IDLEUPDATECMDUI 0x0363

// Command codes used by OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Passed to ON_NOTIFY handlers through OnCmdMsg's pExtra.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Passed to reflected WM_CTLCOLOR handlers (lParam of WM_REFLECT_BASE + WM_CTLCOLOR).
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Handler signatures. The name says the return type and the arguments the handler gets.
enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,

    // Command routing (OnCmdMsg)
    AfxSigCmd_v,          // void ()
    AfxSigCmd_b,          // BOOL ()                 ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,      // void (UINT nID)
    AfxSigCmd_EX,         // BOOL (UINT nID)
    AfxSigCmdUI,          // void (CCmdUI*)
    AfxSigNotify_v,       // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)  ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE,   // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,      // BOOL (UINT nID, NMHDR*, LRESULT*)

    // Window messages (OnWndMsg)
    AfxSig_l_w_l,         // LRESULT (WPARAM, LPARAM)
    AfxSig_v_w_l,         // void (WPARAM, LPARAM)          thread messages
    AfxSig_v_v,           // void ()
    AfxSig_b_v,           // BOOL ()
    AfxSig_u_v,           // UINT ()
    AfxSig_h_v,           // HCURSOR ()                      WM_QUERYDRAGICON
    AfxSig_l_v,           // LRESULT ()
    AfxSig_i_CREATE,      // int (LPCREATESTRUCT)
    AfxSig_b_CREATE,      // BOOL (LPCREATESTRUCT)           WM_NCCREATE
    AfxSig_b_D,           // BOOL (CDC*)                     WM_ERASEBKGND
    AfxSig_v_u_size,      // void (UINT, int cx, int cy)     WM_SIZE
    AfxSig_v_u_pr,        // void (UINT, LPRECT)             WM_SIZING, WM_MOVING
    AfxSig_v_i_i,         // void (int x, int y)             WM_MOVE
    AfxSig_v_TIMER,       // void (UINT_PTR)
    AfxSig_v_u_p,         // void (UINT, CPoint)             mouse buttons and moves
    AfxSig_b_u_s_p,       // BOOL (UINT, short, CPoint)      WM_MOUSEWHEEL
    AfxSig_v_u_s_p,       // void (UINT, short, CPoint)      WM_MOUSEHWHEEL
    AfxSig_b_W_u_u,       // BOOL (CWnd*, UINT, UINT)        WM_SETCURSOR
    AfxSig_i_W_u_u,       // int (CWnd*, UINT, UINT)         WM_MOUSEACTIVATE
    AfxSig_v_u_u_u,       // void (UINT, UINT, UINT)         keys, WM_HOTKEY
    AfxSig_v_u_l,         // void (UINT, LPARAM)             WM_SYSCOMMAND, WM_PARENTNOTIFY
    AfxSig_v_W_w,         // void (CWnd*) from wParam        WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_v_W_l,         // void (CWnd*) from lParam        WM_CAPTURECHANGED
    AfxSig_v_u_u_SB,      // void (UINT, UINT, CScrollBar*)  WM_HSCROLL, WM_VSCROLL
    AfxSig_v_u_u,         // void (UINT, UINT)               reflected scroll messages
    AfxSig_l_p,           // LRESULT (CPoint)                WM_NCHITTEST
    AfxSig_b_b,           // BOOL (BOOL)                     WM_NCACTIVATE
    AfxSig_v_b_NCCALC,    // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_v_u_W_b,       // void (UINT, CWnd*, BOOL)        WM_ACTIVATE
    AfxSig_v_b_h,         // void (BOOL, DWORD)              WM_ACTIVATEAPP
    AfxSig_v_b_u,         // void (BOOL, UINT)               WM_SHOWWINDOW
    AfxSig_v_b,           // void (BOOL)                     WM_ENABLE, WM_ENDSESSION...
    AfxSig_v_MMI,         // void (MINMAXINFO*)
    AfxSig_v_POS,         // void (WINDOWPOS*)
    AfxSig_b_W_COPYDATA,  // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_v_DROP,        // void (HDROP)
    AfxSig_v_W_p,         // void (CWnd*, CPoint)            WM_CONTEXTMENU
    AfxSig_v_M_u_b,       // void (CMenu*, UINT, BOOL)       WM_INITMENUPOPUP
    AfxSig_v_M,           // void (CMenu*)                   WM_INITMENU
    AfxSig_v_u_u_M,       // void (UINT, UINT, HMENU)        WM_MENUSELECT
    AfxSig_v_u_s,         // void (UINT, LPCTSTR)            WM_SETTINGCHANGE
    AfxSig_h_D_W_u,       // HBRUSH (CDC*, CWnd*, UINT)      WM_CTLCOLOR*
    AfxSig_h_D_u,         // HBRUSH (CDC*, UINT)             reflected WM_CTLCOLOR*
    AfxSig_v_i_DRAW,      // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_i_MEASURE,   // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_i_i_COMPARE,   // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_v_i_DELETE,    // void (int, LPDELETEITEMSTRUCT)
    AfxSig_v_DRAW,        // void (LPDRAWITEMSTRUCT)         reflected
    AfxSig_v_MEASURE,     // void (LPMEASUREITEMSTRUCT)      reflected
    AfxSig_i_COMPARE,     // int (LPCOMPAREITEMSTRUCT)       reflected
    AfxSig_v_DELETE,      // void (LPDELETEITEMSTRUCT)       reflected
    AfxSig_b_HELPINFO,    // BOOL (HELPINFO*)
    AfxSig_v_i_STYLE,     // void (int, LPSTYLESTRUCT)
    AfxSig_v_u_W,         // void (UINT, CWnd*)              WM_ENTERIDLE
    AfxSig_v_u_p_screen,  // void (UINT, CPoint)             non-client mouse messages
};

// ---------------------------------------------------------------------------------------
// Declaring and defining maps

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Casting helpers: check the handler's signature, then store it generically.
#define AFX_WND_HANDLER(sig, memberFxn) \
    (AFX_PMSG)(AFX_PMSGW)(static_cast<sig>(memberFxn))
#define AFX_CMD_HANDLER(sig, memberFxn) \
    (AFX_PMSG)(static_cast<sig>(memberFxn))

// ---------------------------------------------------------------------------------------
// Commands and control notifications (WM_COMMAND)

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_CMD_HANDLER(AFX_PMSG, memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_CMD_HANDLER(AFX_PMSG, memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_DBLCLK(id, memberFxn) ON_CONTROL(BN_DBLCLK, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_BN_PUSHED(id, memberFxn) ON_CONTROL(BN_PUSHED, id, memberFxn)
#define ON_BN_UNPUSHED(id, memberFxn) ON_CONTROL(BN_UNPUSHED, id, memberFxn)

#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)

#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)

#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)

// ---------------------------------------------------------------------------------------
// WM_NOTIFY

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

// ---------------------------------------------------------------------------------------
// Reflection: a control handles notifications meant for its parent. The parent's own
// handlers for the same notification do not run, except after an _EX handler returned
// FALSE.

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      AFX_CMD_HANDLER(AFX_PMSG, memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(), memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      AFX_CMD_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_h_D_u, \
      AFX_WND_HANDLER(HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), &ThisClass::CtlColor) },
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_DRAW, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem) },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_MEASURE, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem) },
#define ON_WM_COMPAREITEM_REFLECT() \
    { WM_COMPAREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_i_COMPARE, \
      AFX_WND_HANDLER(int (AFX_MSG_CALL CWnd::*)(LPCOMPAREITEMSTRUCT), &ThisClass::CompareItem) },
#define ON_WM_DELETEITEM_REFLECT() \
    { WM_DELETEITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_DELETE, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(LPDELETEITEMSTRUCT), &ThisClass::DeleteItem) },
#define ON_WM_HSCROLL_REFLECT() \
    { WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), &ThisClass::HScroll) },
#define ON_WM_VSCROLL_REFLECT() \
    { WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), &ThisClass::VScroll) },
#define ON_WM_PARENTNOTIFY_REFLECT() \
    { WM_PARENTNOTIFY + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_l, \
      AFX_WND_HANDLER(void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), &ThisClass::ParentNotify) },

// ---------------------------------------------------------------------------------------
// User-defined messages

#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_l_w_l, \
      AFX_WND_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },
// nMessageVariable is a UINT variable holding a RegisterWindowMessage result; the map
// stores its address, so the value may be assigned at start-up.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      AFX_WND_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },
// Messages posted to a CWinThread (no window).
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_v_w_l, \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      AFX_CMD_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },

// ---------------------------------------------------------------------------------------
// Standard window messages with cracked arguments

#define AFX_ON_WM(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, AFX_WND_HANDLER(type, &ThisClass::fn) },

#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_i_CREATE, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_ON_WM(WM_NCCREATE, AfxSig_b_CREATE, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnClose)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_b_D, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_v_u_size, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING() AFX_ON_WM(WM_SIZING, AfxSig_v_u_pr, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxSig_v_i_i, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_MOVING() AFX_ON_WM(WM_MOVING, AfxSig_v_u_pr, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_v_TIMER, void (AFX_MSG_CALL CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSEHWHEEL() AFX_ON_WM(WM_MOUSEHWHEEL, AfxSig_v_u_s_p, void (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseHWheel)
#define ON_WM_MOUSELEAVE() AFX_ON_WM(WM_MOUSELEAVE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnMouseLeave)
#define ON_WM_MOUSEHOVER() AFX_ON_WM(WM_MOUSEHOVER, AfxSig_v_u_p, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_WM(WM_SYSKEYUP, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_ON_WM(WM_SYSCHAR, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_HOTKEY() AFX_ON_WM(WM_HOTKEY, AfxSig_v_u_u_u, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnHotKey)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxSig_v_u_l, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_PARENTNOTIFY() AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_v_u_l, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_v_W_w, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_v_W_w, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_v_W_l, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxSig_v_u_u_SB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxSig_v_u_u_SB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxSig_l_p, LRESULT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, AfxSig_b_b, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCMOUSEHOVER() AFX_ON_WM(WM_NCMOUSEHOVER, AfxSig_v_u_p_screen, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMouseHover)
#define ON_WM_NCMOUSELEAVE() AFX_ON_WM(WM_NCMOUSELEAVE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnNcMouseLeave)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxSig_v_u_W_b, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_v_b_h, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxSig_v_b_u, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_v_MMI, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_v_POS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_v_POS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_u_v, UINT (AFX_MSG_CALL CWnd::*)(), OnGetDlgCode)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_COPYDATA() AFX_ON_WM(WM_COPYDATA, AfxSig_b_W_COPYDATA, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_DROPFILES() AFX_ON_WM(WM_DROPFILES, AfxSig_v_DROP, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxSig_v_W_p, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_INITMENU() AFX_ON_WM(WM_INITMENU, AfxSig_v_M, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() AFX_ON_WM(WM_MENUSELECT, AfxSig_v_u_u_M, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERMENULOOP() AFX_ON_WM(WM_ENTERMENULOOP, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_ON_WM(WM_EXITMENULOOP, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_QUERYDRAGICON() AFX_ON_WM(WM_QUERYDRAGICON, AfxSig_h_v, HCURSOR (AFX_MSG_CALL CWnd::*)(), OnQueryDragIcon)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnCancelMode)
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_v_u_s, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnSysColorChange)
#define ON_WM_TIMECHANGE() AFX_ON_WM(WM_TIMECHANGE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnTimeChange)
#define ON_WM_ENTERSIZEMOVE() AFX_ON_WM(WM_ENTERSIZEMOVE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnEnterSizeMove)
#define ON_WM_EXITSIZEMOVE() AFX_ON_WM(WM_EXITSIZEMOVE, AfxSig_v_v, void (AFX_MSG_CALL CWnd::*)(), OnExitSizeMove)
#define ON_WM_QUERYENDSESSION() AFX_ON_WM(WM_QUERYENDSESSION, AfxSig_b_v, BOOL (AFX_MSG_CALL CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION() AFX_ON_WM(WM_ENDSESSION, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEndSession)
#define ON_WM_HELPINFO() AFX_ON_WM(WM_HELPINFO, AfxSig_b_HELPINFO, BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_STYLECHANGED() AFX_ON_WM(WM_STYLECHANGED, AfxSig_v_i_STYLE, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING() AFX_ON_WM(WM_STYLECHANGING, AfxSig_v_i_STYLE, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_ENTERIDLE() AFX_ON_WM(WM_ENTERIDLE, AfxSig_v_u_W, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_THEMECHANGED() AFX_ON_WM(WM_THEMECHANGED, AfxSig_l_v, LRESULT (AFX_MSG_CALL CWnd::*)(), OnThemeChanged)

#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxSig_h_D_W_u, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxSig_v_i_DRAW, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxSig_v_i_MEASURE, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM() AFX_ON_WM(WM_COMPAREITEM, AfxSig_i_i_COMPARE, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM() AFX_ON_WM(WM_DELETEITEM, AfxSig_v_i_DELETE, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
