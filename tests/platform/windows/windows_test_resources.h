// Resource ids of the window-core tests. Dialog 100 and string 200 exist in the test DLL
// as well, with other contents: the module state decides which one is found.
#pragma once

#define IDD_CLASH 100
#define IDD_REFLECT 101
#define IDD_MODAL 102
#define IDD_MODELESS 103
#define IDD_MODELESS_VISIBLE 104

#define IDC_EXE_ONLY 1002
#define IDC_EDIT_REFLECT 1010
#define IDC_EDIT_PLAIN 1011
#define IDC_EDIT_REFLECT_EX 1012
#define IDC_LIST_REFLECT 1013
#define IDC_LIST_PLAIN 1014
#define IDC_STATIC_COLOR 1015
#define IDC_STATIC_PLAIN 1016
#define IDC_EDIT 1020
#define IDC_BUTTON 1021

#define IDS_CLASH 200
#define IDS_PROMPT 201
