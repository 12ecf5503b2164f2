// The strategy editor ("编辑策略"): the console hands it a copy of its strategies, the user
// adds, renames, edits and deletes strategies, and "保存编辑" checks the whole list and ends
// with IDOK; the console then takes the list back. With a strategy table given, the checked
// list is stored in it (one transaction) before the dialog closes, so a saved edit survives
// whatever happens to the console afterwards.
#pragma once

#include <afxdialogex.h>

#include <set>
#include <vector>

#include "ConsoleDialogsResource.h"
#include "EditEx.h"
#include "FlatComboBox.h"
#include "GridListCtrl.h"
#include "LayerButton.h"
#include "ListCtrlEx.h"
#include "StrategyInfo.h"

class CDBStrategy;

// The leg table's cell message (wParam row, lParam column), sent whenever a cell changes.
#define WM_STRATEGY_LIST_NOTIFY (WM_USER + 1311)

class CEditStrategy : public CDialogEx
{
public:
    enum { IDD = IDD_EDIT_STRATEGY };

    // The table stays the caller's; without one nothing is stored.
    explicit CEditStrategy(CWnd* pParent = nullptr, CDBStrategy* strategyTable = nullptr);
    ~CEditStrategy() override;

    void SetStrategies(const std::vector<StrategyInfo>& strategies);
    // Ids that accounts follow: a new strategy never gets one, even after its strategy was
    // deleted here (the accounts would silently follow the new strategy).
    void SetFollowedStrategyIds(const std::set<int>& ids) { m_followedIds = ids; }
    std::vector<StrategyInfo> GetStrategies() const { return m_strategies; }

    // What the dialog shows and the text the failed save of a table reports.
    static const char kCaption[];
    static const char kStoreFailed[];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnAddStrategy();
    afx_msg void OnDeleteStrategy();
    afx_msg void OnClearStrategies();
    afx_msg void OnStrategySelectionChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnLegCellChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNumberEditKillFocus();
    afx_msg void OnDirectionKillFocus();
    afx_msg void OnPriceTypeKillFocus();
    afx_msg void OnPriceTypeChanged();
    afx_msg void OnNameSetFocus();
    afx_msg void OnNameKillFocus();

    DECLARE_MESSAGE_MAP()

private:
    void SetUpStrategyList();
    void SetUpLegTable();
    void SetUpCombo(CFlatComboBox& combo, const char* first, const char* second);
    void SetUpEdits();
    void SetUpButtons();
    void AddStrategyRow(const StrategyInfo& strategy);

    void ShowNewStrategyForm();
    void ShowStrategy(int index);
    void SetLegRow(int row, const StrategyLeg& leg);
    StrategyInfo ReadStrategyForm() const;
    void ColourLegRow(int row, bool enabled);
    void ColourPriceCells(int row, const CString& priceType);

    void OnLegCellClick(int row, int column);
    void PlaceOverCell(CWnd& editor, int row, int column, int extraHeight);
    StrategyLeg* LegOfRow(int strategyIndex, int row, bool addMissing);
    void FinishCellEdit(const CString& text);
    void CellChanged();

    int SelectedStrategy() const;
    bool EditorHasFocus() const;
    bool StoreStrategies();

    CDBStrategy* m_strategyTable;
    std::vector<StrategyInfo> m_strategies;
    std::set<int> m_followedIds;
    int m_editRow;
    int m_editColumn;
    int m_recordedIndex;
    bool m_saved;
    CFont m_font;

    CListCtrlEx m_strategyList;
    CEditEx m_nameEdit;
    CGridListCtrl m_legTable;
    CFlatComboBox m_directionCombo;
    CFlatComboBox m_priceTypeCombo;
    CEditEx m_numberEdit;
    CLayerButton m_addButton;
    CLayerButton m_deleteButton;
    CLayerButton m_clearButton;
    CLayerButton m_saveButton;
    CLayerButton m_exitButton;
};
