"""Windows' own numbers the tests use: messages, notifications, styles and
answers. The program's identifiers are in tests/e2e/model."""

# Window messages
WM_PAINT = 0x000F
WM_CLOSE = 0x0010
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016
WM_SETCURSOR = 0x0020
WM_NCLBUTTONDBLCLK = 0x00A3
WM_NCRBUTTONDOWN = 0x00A4
WM_KEYDOWN = 0x0100
WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
WM_TIMER = 0x0113
WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK = 0x0201, 0x0202, 0x0203
WM_RBUTTONDOWN = 0x0204

# Controls' messages and notifications
EM_GETSEL = 0x00B0
BM_SETCHECK, BM_SETSTATE, BM_CLICK = 0x00F1, 0x00F3, 0x00F5
CB_SETCURSEL, CBN_SELCHANGE = 0x014E, 1
LB_SETCURSEL, LB_GETCURSEL, LB_GETHORIZONTALEXTENT = 0x0186, 0x0188, 0x0193
LBN_DBLCLK = 2

# Hit tests, system commands, keys
HTCLIENT, HTCAPTION = 1, 2
SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE = 0xF000, 0xF020, 0xF030, 0xF120
VK_ESCAPE = 0x1B

# Styles
WS_VISIBLE = 0x10000000
WS_POPUP = 0x80000000
WS_SYSMENU = 0x00080000
WS_OVERLAPPEDWINDOW = 0x00CF0000
WS_EX_TOPMOST = 0x00000008
WS_EX_TOOLWINDOW = 0x00000080
SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE, SS_LEFTNOWORDWRAP = 0x0, 0x1, 0x2, 0xB, 0xC
SS_TYPEMASK = 0x1F
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_OWNERDRAW, BS_TYPEMASK = 0x0, 0x1, 0x7, 0xB, 0xF

# Menu item states
MF_CHECKED = 0x8
MF_SEPARATOR = 0x800

# Dialog and message box answers
IDOK, IDCANCEL, IDRETRY, IDYES, IDNO = 1, 2, 4, 6, 7

# The common dialogs' controls (dlgs.h): the font chooser's face and size
# boxes, the colour chooser's red, green and blue fields, its "Add to Custom
# Colors" button and the area of its custom colours; the file chooser's boxes.
FONT_FACE_COMBO, FONT_SIZE_COMBO = 1136, 1138
COLOUR_RED, COLOUR_GREEN, COLOUR_BLUE, COLOUR_ADD, COLOUR_CUSTOM = 706, 707, 708, 712, 721
# The file chooser's folder box ("Look in", cmb2) and its file name box (cmb13).
FILE_FOLDER_COMBO, FILE_NAME_COMBO = 1137, 1148

# Resource types
RT_VERSION, RT_MANIFEST = 16, 24
