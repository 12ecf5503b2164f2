#include "EditStrategy.h"

#include <commctrl.h>

#include "DBStrategy.h"
#include "QuoteStore.h"
#include "SkinResource.h"
#include "StrategyChecks.h"
#include "StrategyIds.h"
#include "StrategyLegs.h"

namespace {

const char kMessageCaption[] = "Tolvan证券";
const char kMarketPrice[] = "市价";
const COLORREF kFrameColor = RGB(127, 157, 185);
const COLORREF kGreyText = RGB(160, 160, 160);
const COLORREF kBlackText = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const int kRowHeight = 24;

enum LegColumn { kTypeColumn = 0, kMultipleColumn, kDirectionColumn, kPriceTypeColumn,
                 kPointColumn, kSlipPointColumn, kLegColumnCount };

}  // namespace

const char CEditStrategy::kCaption[] = "编辑策略";
const char CEditStrategy::kStoreFailed[] = "策略保存失败，请重试！";

BEGIN_MESSAGE_MAP(CEditStrategy, CDialogEx)
    ON_BN_CLICKED(IDC_ADD_STRATEGY, &CEditStrategy::OnAddStrategy)
    ON_BN_CLICKED(IDC_DELETE_STRATEGY, &CEditStrategy::OnDeleteStrategy)
    ON_BN_CLICKED(IDC_CLEAR_STRATEGIES, &CEditStrategy::OnClearStrategies)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_STRATEGY_LIST, &CEditStrategy::OnStrategySelectionChanged)
    ON_MESSAGE(WM_STRATEGY_LIST_NOTIFY, &CEditStrategy::OnLegCellChanged)
    ON_EN_KILLFOCUS(IDC_LEG_NUMBER_EDIT, &CEditStrategy::OnNumberEditKillFocus)
    ON_CBN_KILLFOCUS(IDC_DIRECTION_COMBO, &CEditStrategy::OnDirectionKillFocus)
    ON_CBN_KILLFOCUS(IDC_PRICE_TYPE_COMBO, &CEditStrategy::OnPriceTypeKillFocus)
    ON_CBN_SELCHANGE(IDC_PRICE_TYPE_COMBO, &CEditStrategy::OnPriceTypeChanged)
    ON_EN_SETFOCUS(IDC_STRATEGY_NAME, &CEditStrategy::OnNameSetFocus)
    ON_EN_KILLFOCUS(IDC_STRATEGY_NAME, &CEditStrategy::OnNameKillFocus)
END_MESSAGE_MAP()

CEditStrategy::CEditStrategy(CWnd* pParent, CDBStrategy* strategyTable)
    : CDialogEx(IDD, pParent), m_strategyTable(strategyTable), m_editRow(-1), m_editColumn(-1),
      m_recordedIndex(-1), m_saved(true)
{
}

CEditStrategy::~CEditStrategy() = default;

void CEditStrategy::SetStrategies(const std::vector<StrategyInfo>& strategies)
{
    m_strategies = strategies;
}

void CEditStrategy::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STRATEGY_LIST, m_strategyList);
    DDX_Control(pDX, IDC_STRATEGY_NAME, m_nameEdit);
    DDX_Control(pDX, IDC_LEG_TABLE, m_legTable);
    DDX_Control(pDX, IDC_DIRECTION_COMBO, m_directionCombo);
    DDX_Control(pDX, IDC_PRICE_TYPE_COMBO, m_priceTypeCombo);
    DDX_Control(pDX, IDC_LEG_NUMBER_EDIT, m_numberEdit);
    DDX_Control(pDX, IDC_ADD_STRATEGY, m_addButton);
    DDX_Control(pDX, IDC_DELETE_STRATEGY, m_deleteButton);
    DDX_Control(pDX, IDC_CLEAR_STRATEGIES, m_clearButton);
    DDX_Control(pDX, IDOK, m_saveButton);
    DDX_Control(pDX, IDCANCEL, m_exitButton);
}

BOOL CEditStrategy::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    SetUpStrategyList();
    SetUpLegTable();
    SetUpCombo(m_directionCombo, "同向", "反向");
    SetUpCombo(m_priceTypeCombo, kMarketPrice, "限价");
    SetUpEdits();
    SetUpButtons();
    for (const StrategyInfo& strategy : m_strategies)
        AddStrategyRow(strategy);
    ShowNewStrategyForm();
    return TRUE;
}

void CEditStrategy::SetUpStrategyList()
{
    m_strategyList.SetExtendedStyle(m_strategyList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_strategyList.SetFont(&m_font);
    m_strategyList.SetItemFont(&m_font);
    m_strategyList.SetHeaderFont(&m_font);
    m_strategyList.InsertColumn(0, "策略名称", LVCFMT_CENTER, 163);
    m_strategyList.InsertColumn(1, "使用状态", LVCFMT_CENTER, 63);
    m_strategyList.SetItemTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    m_strategyList.SetItemHeight(kRowHeight);
    m_strategyList.SetHeaderHeight(kRowHeight);
    m_strategyList.SetBkColor(kWhite);
    m_strategyList.SetHeaderBkColor(kWhite);
    m_strategyList.SetHeaderTextColor(kBlackText);
    m_strategyList.SetHeaderLineColor(kFrameColor);
    m_strategyList.SetBorderColor(kFrameColor);
    m_strategyList.SetSelectColor(RGB(252, 233, 160));
    m_strategyList.SetSelectMode(0);
    m_strategyList.SetBorderWidth(1);
}

void CEditStrategy::SetUpLegTable()
{
    m_legTable.SetExtendedStyle(m_legTable.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_legTable.SetFont(&m_font);
    m_legTable.SetHeaderFont(&m_font);
    const char* headings[kLegColumnCount] = { "类型名称", "倍数", "方向", "价格类型", "点数", "滑点" };
    for (int column = 0; column < kLegColumnCount; ++column)
        m_legTable.InsertColumn(column, headings[column], LVCFMT_CENTER, column == 0 ? 154 : 74);
    for (int column = 0; column < kLegColumnCount; ++column)
        m_legTable.GetHeader().SetCheckImage(column, column == 0 ? 1 : 0);
    m_legTable.SetRowHeight(kRowHeight);
    m_legTable.SetHeaderHeight(kRowHeight);
    m_legTable.SetBkColor(kWhite);
    m_legTable.SetHeaderBkColor(kWhite);
    m_legTable.SetBorderColor(kFrameColor);
    m_legTable.SetHeaderLineColor(kFrameColor);
    m_legTable.SetCellMessage(WM_STRATEGY_LIST_NOTIFY);
    const std::vector<StrategyLeg> legTemplate = BuildLegTemplate(GetQuoteStore());
    for (size_t row = 0; row < legTemplate.size(); ++row) {
        const int inserted = m_legTable.InsertItem(static_cast<int>(row), legTemplate[row].strContractType);
        m_legTable.SetCheckbox(inserted, kTypeColumn, 0);
    }
}

void CEditStrategy::SetUpCombo(CFlatComboBox& combo, const char* first, const char* second)
{
    combo.SetFont(12, 0, FW_NORMAL, "宋体");
    combo.SetImages(IDP_COMBO_NORMAL, IDP_COMBO_HOVER, IDP_COMBO_PRESSED, IDP_COMBO_NORMAL);
    combo.SetColors(RGB(183, 207, 251), RGB(221, 239, 253), RGB(138, 165, 244), RGB(192, 192, 192));
    combo.AddString(first);
    combo.AddString(second);
    combo.SetItemHeight(0, 16);
    combo.SetCurSel(0);
    combo.ShowWindow(SW_HIDE);
}

void CEditStrategy::SetUpEdits()
{
    for (CEditEx* edit : { &m_nameEdit, &m_numberEdit }) {
        edit->SetFont(&m_font);
        edit->SetBkColor(kWhite);
        edit->SetTextColor(kBlackText);
        edit->SetBorderColor(kFrameColor);
    }
    m_numberEdit.SetValidChars("0123456789");
    m_numberEdit.ShowWindow(SW_HIDE);
}

void CEditStrategy::SetUpButtons()
{
    for (CLayerButton* button : { &m_addButton, &m_deleteButton, &m_clearButton, &m_saveButton, &m_exitButton }) {
        button->SetBkColor(RGB(245, 245, 235));
        button->SetTextColor(kBlackText);
        button->SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        button->SetBaseColor(kFrameColor);
        button->SetFont(&m_font);
    }
}

void CEditStrategy::AddStrategyRow(const StrategyInfo& strategy)
{
    const int selected = SelectedStrategy();
    const int row = m_strategyList.InsertItem(m_strategyList.GetItemCount(), strategy.strStrategyName);
    m_strategyList.SetItemText(row, 1, strategy.applied ? "已使用" : "未使用");
    if (selected >= 0)
        m_strategyList.SetItemState(selected, 0, static_cast<UINT>(-1));
}

int CEditStrategy::SelectedStrategy() const
{
    return m_strategyList.GetNextItem(-1, LVNI_SELECTED);
}

// ---- what the form shows ----

void CEditStrategy::ShowNewStrategyForm()
{
    m_nameEdit.SetWindowText(ProposeStrategyName(m_strategies));
    for (int row = 0; row < m_legTable.GetItemCount(); ++row) {
        StrategyLeg defaults;
        SetLegRow(row, defaults);
    }
    m_legTable.Invalidate();
}

void CEditStrategy::ShowStrategy(int index)
{
    if (index < 0 || index >= static_cast<int>(m_strategies.size())) {
        ShowNewStrategyForm();
        return;
    }
    const StrategyInfo& strategy = m_strategies[index];
    m_nameEdit.SetWindowText(strategy.strStrategyName);
    for (int row = 0; row < m_legTable.GetItemCount(); ++row) {
        const CString type = m_legTable.GetItemText(row, kTypeColumn);
        StrategyLeg shown;
        for (const StrategyLeg& leg : strategy.vecStrategy) {
            if (leg.strContractType == type) {
                shown = leg;
                break;
            }
        }
        SetLegRow(row, shown);
    }
    m_legTable.Invalidate();
}

void CEditStrategy::SetLegRow(int row, const StrategyLeg& leg)
{
    // The check box first: its cell message colours the row.
    m_legTable.SetCheckbox(row, kTypeColumn, leg.bEnable != 0 ? 1 : 0);
    m_legTable.SetItemText(row, kMultipleColumn, leg.strMultiple);
    m_legTable.SetItemText(row, kDirectionColumn, leg.strDirection);
    m_legTable.SetItemText(row, kPriceTypeColumn, leg.strPriceType);
    m_legTable.SetItemText(row, kPointColumn, leg.strPoint);
    m_legTable.SetItemText(row, kSlipPointColumn, leg.strSlipPoint);
    if (leg.bEnable != 0)
        ColourPriceCells(row, leg.strPriceType);
}

StrategyInfo CEditStrategy::ReadStrategyForm() const
{
    StrategyInfo strategy;
    m_nameEdit.GetWindowText(strategy.strStrategyName);
    for (int row = 0; row < m_legTable.GetItemCount(); ++row) {
        StrategyLeg leg;
        leg.bEnable = m_legTable.GetCheckbox(row, kTypeColumn) == 1 ? 1 : 0;
        leg.strContractType = m_legTable.GetItemText(row, kTypeColumn);
        leg.strMultiple = m_legTable.GetItemText(row, kMultipleColumn);
        leg.strDirection = m_legTable.GetItemText(row, kDirectionColumn);
        leg.strPriceType = m_legTable.GetItemText(row, kPriceTypeColumn);
        leg.strPoint = m_legTable.GetItemText(row, kPointColumn);
        leg.strSlipPoint = m_legTable.GetItemText(row, kSlipPointColumn);
        strategy.vecStrategy.push_back(leg);
    }
    strategy.nStragegyId = NextFreeStrategyId(m_strategies, m_followedIds);
    return strategy;
}

void CEditStrategy::ColourLegRow(int row, bool enabled)
{
    for (int column = 0; column < kLegColumnCount; ++column)
        m_legTable.SetCellTextColor(row, column, enabled ? kBlackText : kGreyText);
    if (enabled)
        ColourPriceCells(row, m_legTable.GetItemText(row, kPriceTypeColumn));
}

void CEditStrategy::ColourPriceCells(int row, const CString& priceType)
{
    // Points and slippage mean nothing for market orders.
    const COLORREF colour = priceType == kMarketPrice ? kGreyText : kBlackText;
    m_legTable.SetCellTextColor(row, kPointColumn, colour);
    m_legTable.SetCellTextColor(row, kSlipPointColumn, colour);
}

// ---- the leg a change lands in ----

// The leg of a strategy that a row of the leg table edits. A strategy that lacks the row's
// contract type gets a default leg of it when asked to, so that a change on that row is kept
// rather than dropped.
StrategyLeg* CEditStrategy::LegOfRow(int strategyIndex, int row, bool addMissing)
{
    if (strategyIndex < 0 || strategyIndex >= static_cast<int>(m_strategies.size()))
        return nullptr;
    const CString type = m_legTable.GetItemText(row, kTypeColumn);
    std::vector<StrategyLeg>& legs = m_strategies[strategyIndex].vecStrategy;
    for (StrategyLeg& leg : legs) {
        if (leg.strContractType == type)
            return &leg;
    }
    if (!addMissing)
        return nullptr;
    StrategyLeg added;
    added.strContractType = type;
    legs.push_back(added);
    return &legs.back();
}

LRESULT CEditStrategy::OnLegCellChanged(WPARAM wParam, LPARAM lParam)
{
    const int row = static_cast<int>(wParam);
    const int column = static_cast<int>(lParam);
    if (row < 0 || column != kTypeColumn)
        return 0;
    const bool ticked = m_legTable.GetCheckbox(row, kTypeColumn) == 1;
    const int selected = SelectedStrategy();
    StrategyLeg* leg = LegOfRow(selected, row, ticked);
    if (leg != nullptr && (leg->bEnable != 0) != ticked) {
        leg->bEnable = ticked ? 1 : 0;
        m_saved = false;
    }
    ColourLegRow(row, ticked);
    m_legTable.Invalidate();
    return 0;
}

// ---- in-place editors ----

BOOL CEditStrategy::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The grid list keeps its own NM_CLICK (reflected), so the dialog looks at it on the way.
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == IDC_LEG_TABLE && header->code == NM_CLICK) {
        const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        OnLegCellClick(click->iItem, click->iSubItem);
    }
    return CDialogEx::OnNotify(wParam, lParam, pResult);
}

void CEditStrategy::OnLegCellClick(int row, int column)
{
    m_editRow = row;
    m_editColumn = column;
    if (row < 0 || column < 0 || m_legTable.GetCheckbox(row, kTypeColumn) != 1)
        return;
    m_recordedIndex = SelectedStrategy();
    const CString text = m_legTable.GetItemText(row, column);
    if (column == kDirectionColumn || column == kPriceTypeColumn) {
        CFlatComboBox& combo = column == kDirectionColumn ? m_directionCombo : m_priceTypeCombo;
        const int item = combo.FindStringExact(-1, text);
        combo.SetCurSel(item >= 0 ? item : 0);
        PlaceOverCell(combo, row, column, 60);
        return;
    }
    if (column == kMultipleColumn || column == kPointColumn || column == kSlipPointColumn) {
        if (column != kMultipleColumn && m_legTable.GetItemText(row, kPriceTypeColumn) == kMarketPrice)
            return;
        m_numberEdit.SetWindowText(text);
        PlaceOverCell(m_numberEdit, row, column, 0);
        const int end = m_numberEdit.GetWindowTextLength();
        m_numberEdit.SetSel(end, end);
    }
}

void CEditStrategy::PlaceOverCell(CWnd& editor, int row, int column, int extraHeight)
{
    CRect cell;
    m_legTable.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    m_legTable.ClientToScreen(&cell);
    ScreenToClient(&cell);
    cell.OffsetRect(0, 2);
    cell.bottom += extraHeight;
    editor.SetWindowPos(&CWnd::wndTop, cell.left, cell.top, cell.Width(), cell.Height(), SWP_SHOWWINDOW);
    editor.SetFocus();
}

// Ends a cell edit with the editor's text: the recorded strategy keeps it, and the table shows
// it when that strategy is still the selected one (else the selected one is shown).
void CEditStrategy::FinishCellEdit(const CString& text)
{
    CString shown = text;
    StrategyLeg* leg = LegOfRow(m_recordedIndex, m_editRow, true);
    if (leg != nullptr) {
        switch (m_editColumn) {
        case kMultipleColumn: shown = leg->strMultiple = NormalizeLegNumber(text); break;
        case kPointColumn: shown = leg->strPoint = NormalizeLegNumber(text); break;
        case kSlipPointColumn: shown = leg->strSlipPoint = NormalizeLegNumber(text); break;
        case kDirectionColumn: leg->strDirection = text; break;
        case kPriceTypeColumn: leg->strPriceType = text; break;
        default: break;
        }
        m_saved = false;
    }
    const int selected = SelectedStrategy();
    if (selected == m_recordedIndex) {
        m_legTable.SetItemText(m_editRow, m_editColumn, shown);
        if (m_editColumn == kPriceTypeColumn && m_legTable.GetCheckbox(m_editRow, kTypeColumn) == 1)
            ColourPriceCells(m_editRow, shown);
        m_legTable.Invalidate();
    } else {
        ShowStrategy(selected);
    }
}

void CEditStrategy::OnNumberEditKillFocus()
{
    if (!m_numberEdit.IsWindowVisible() || m_editRow < 0)
        return;
    CString text;
    m_numberEdit.GetWindowText(text);
    m_numberEdit.ShowWindow(SW_HIDE);
    FinishCellEdit(text);
}

void CEditStrategy::OnDirectionKillFocus()
{
    if (!m_directionCombo.IsWindowVisible() || m_editRow < 0)
        return;
    CString text;
    m_directionCombo.GetLBText(m_directionCombo.GetCurSel(), text);
    m_directionCombo.ShowWindow(SW_HIDE);
    FinishCellEdit(text);
}

void CEditStrategy::OnPriceTypeKillFocus()
{
    if (!m_priceTypeCombo.IsWindowVisible() || m_editRow < 0)
        return;
    CString text;
    m_priceTypeCombo.GetLBText(m_priceTypeCombo.GetCurSel(), text);
    m_priceTypeCombo.ShowWindow(SW_HIDE);
    FinishCellEdit(text);
}

void CEditStrategy::OnPriceTypeChanged()
{
    const int row = m_legTable.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    CString text;
    m_priceTypeCombo.GetLBText(m_priceTypeCombo.GetCurSel(), text);
    ColourPriceCells(row, text);
    m_legTable.Invalidate();
}

// ---- the name ----

void CEditStrategy::OnNameSetFocus()
{
    m_recordedIndex = SelectedStrategy();
}

void CEditStrategy::OnNameKillFocus()
{
    if (m_recordedIndex < 0 || m_recordedIndex >= static_cast<int>(m_strategies.size()))
        return;
    CString name;
    m_nameEdit.GetWindowText(name);
    m_strategies[m_recordedIndex].strStrategyName = name;
    m_strategyList.SetItemText(m_recordedIndex, 0, name);
    m_saved = false;
    const int selected = SelectedStrategy();
    if (selected != m_recordedIndex)
        ShowStrategy(selected);
}

bool CEditStrategy::EditorHasFocus() const
{
    const HWND focus = ::GetFocus();
    for (const CWnd* editor : { static_cast<const CWnd*>(&m_nameEdit), static_cast<const CWnd*>(&m_numberEdit),
                                static_cast<const CWnd*>(&m_directionCombo), static_cast<const CWnd*>(&m_priceTypeCombo) }) {
        if (focus != NULL && (focus == editor->m_hWnd || ::IsChild(editor->m_hWnd, focus)))
            return true;
    }
    return false;
}

void CEditStrategy::OnStrategySelectionChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((change->uChanged & LVIF_STATE) == 0 || EditorHasFocus())
        return;
    ShowStrategy(SelectedStrategy());
}

// ---- buttons ----

void CEditStrategy::OnAddStrategy()
{
    const StrategyInfo strategy = ReadStrategyForm();
    m_strategies.push_back(strategy);
    AddStrategyRow(strategy);
    m_saved = false;
}

void CEditStrategy::OnDeleteStrategy()
{
    const int selected = SelectedStrategy();
    if (selected < 0 || selected >= static_cast<int>(m_strategies.size())) {
        MessageBox("请选择策略！", kMessageCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    m_strategies.erase(m_strategies.begin() + selected);
    m_strategyList.DeleteItem(selected);
    m_saved = false;
}

void CEditStrategy::OnClearStrategies()
{
    m_strategies.clear();
    m_strategyList.DeleteAllItems();
    ShowNewStrategyForm();
    m_saved = false;
}

void CEditStrategy::OnOK()
{
    CString message;
    const bool passed = CheckStrategies(m_strategies, message);
    // The check trims names in place; the list shows them as they are now.
    for (size_t i = 0; i < m_strategies.size(); ++i)
        m_strategyList.SetItemText(static_cast<int>(i), 0, m_strategies[i].strStrategyName);
    if (!passed) {
        MessageBox(message, kMessageCaption, MB_ICONERROR | MB_OK);
        return;
    }
    if (!StoreStrategies()) {
        MessageBox(kStoreFailed, kMessageCaption, MB_ICONERROR | MB_OK);
        return;
    }
    m_saved = true;
    EndDialog(IDOK);
}

bool CEditStrategy::StoreStrategies()
{
    return m_strategyTable == nullptr || m_strategyTable->ReplaceAll(m_strategies);
}

void CEditStrategy::OnCancel()
{
    if (!m_saved
        && MessageBox("策略未保存，是否退出编辑？", kMessageCaption, MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    EndDialog(IDCANCEL);
}
