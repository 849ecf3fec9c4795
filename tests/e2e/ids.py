"""ULMAR's control and command ids, one table for every scenario. The ids are
read from the windows' own id headers (window_ids.py), never typed here: each
name follows the program's constant, so kIdEditStation of the browse window
(browse/win/browse_window_ids.h) is BROWSE_EDIT_STATION here. Lists give the
controls in creation (tab) order."""

from window_ids import read_ids

globals().update(read_ids())

# -- window titles (the start of each) ---------------------------------------
MAIN_TITLE = "ULMAR v1.01"
LOGGING_TITLE = MAIN_TITLE + "    Report Logging"
BROWSE_TITLE = "CORVANE v6    Browse Log"
VIEW_TITLE = "     View and Edit"
PRINT_TITLE = "PRINT LOG "
BACKUP_TITLE = "Set Back Up Drive Letter"
RECEIVER_TITLE = "Receiver"

# -- the main window's controls and buttons, in creation (tab) order ------------
MAIN_CONTROLS = [MAIN_PANEL_BUTTONS, MAIN_BUTTON_LOGGING, MAIN_BUTTON_BROWSE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT,
                 MAIN_IMAGE_BANNER, MAIN_IMAGE_CREST]
MAIN_BUTTONS = [MAIN_BUTTON_LOGGING, MAIN_BUTTON_BROWSE, MAIN_BUTTON_PRINT, MAIN_BUTTON_EXIT]

# -- browse window -----------------------------------------------------------
BROWSE_CONTROLS = [BROWSE_LABEL_STATION, BROWSE_EDIT_STATION, BROWSE_BUTTON_SEARCH, BROWSE_LIST_ENTRIES,
                   BROWSE_LABEL_HEADING, BROWSE_BUTTON_VIEW, BROWSE_LABEL_ENTRY, BROWSE_EDIT_FIRST_SHOWN,
                   BROWSE_LABEL_TO, BROWSE_EDIT_LAST_SHOWN, BROWSE_LABEL_KEYS_HINT]

# -- Win32 values the scenarios send or check --------------------------------
LB_SETCURSEL, LB_GETCURSEL, LB_GETTOPINDEX, LB_GETITEMHEIGHT = 0x0186, 0x0188, 0x018E, 0x01A1
LBN_SELCHANGE = 1
CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL = 0x0146, 0x0147, 0x014E
CBN_SELCHANGE = 1
WS_TABSTOP, WS_THICKFRAME, WS_SYSMENU, WS_VSCROLL = 0x00010000, 0x00040000, 0x00080000, 0x00200000
WS_BORDER, WS_CAPTION = 0x00800000, 0x00C00000
WS_EX_CLIENTEDGE, WS_EX_STATICEDGE = 0x0200, 0x20000
ES_RIGHT, ES_UPPERCASE, ES_AUTOHSCROLL, ES_READONLY = 0x0002, 0x0008, 0x0080, 0x0800
ES_NUMBER = 0x2000
