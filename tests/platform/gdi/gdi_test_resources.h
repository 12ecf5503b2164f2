// Resource ids of the drawing-class tests.
#pragma once

#define IDR_GDI_TEST_MENU 101
#define IDB_GDI_TEST_BITMAP 102

#define ID_GDI_TEST_OPEN 200
#define ID_GDI_TEST_EXIT 201
#define ID_GDI_TEST_GRID 210
#define ID_GDI_TEST_TICKS 211
