// Resource and control numbers, shared by the resource script and the dialogs' code. Plain macros,
// because the resource compiler reads this file too.
#pragma once

// A control that no code addresses.
#define IDC_STATIC -1

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_KOLT_INFO_DIALOG 102
#define IDD_REPORT_DIALOG 129

// Strings, icon and bitmap.
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 134
#define IDB_BANNER 137
// The banner drawn for screens scaled to 150 % and 200 %.
#define IDB_BANNER_150 138
#define IDB_BANNER_200 139

// The about box's system menu command; the system reserves the low four bits of such commands.
#define IDM_ABOUTBOX 0x0010

// Main dialog.
#define IDC_ALL_INFO 1004
#define IDC_DATE_TIME 1005
#define IDC_COMPUTER_NAME 1006
#define IDC_USER_NAME 1007
#define IDC_EXIT 1008
#define IDC_IP_ADDRESS 1009
#define IDC_PROCESS 1010
#define IDC_ARCHITECTURE 1012
#define IDC_MEMORY 1013
#define IDC_CPU_SPEED 1014
#define IDC_OPERATING_SYSTEM 1015
#define IDC_DISK 1016
#define IDC_EXTENDED 1017
#define IDC_REDACT 1028
#define IDC_PROGRESS 1019
#define IDC_BANNER 1025

// Report viewer.
#define IDC_REPORT_TEXT 1011
#define IDC_PRINT 1023
#define IDC_CLOSE 1024
#define IDC_SAVE 1025
#define IDC_EMAIL 1026
#define IDC_COPY 1027
// The viewer's command for Ctrl+A: the whole report selected in its text box.
#define IDM_SELECT_ALL 32771
