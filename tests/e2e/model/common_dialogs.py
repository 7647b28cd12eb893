"""Windows' own dialogs that the clock opens: the font chooser and the file
chooser (their controls as dlgs.h numbers them), and the colour chooser's
(colordlg.h). The tests press and read them; mingw-w64's headers hold the
numbers, under the names HEADER_NAMES gives."""

HEADER = ("/usr/share/mingw-w64/include/dlgs.h", "/usr/share/mingw-w64/include/colordlg.h")

FONT_FACE_COMBO = 1136     # the font chooser's face box
FONT_SIZE_COMBO = 1138     # its size box
FILE_FOLDER_COMBO = 1137   # the file chooser's "Look in" box
FILE_NAME_COMBO = 1148     # its file name box
COLOUR_RED = 706           # the colour chooser's red, green and blue fields
COLOUR_GREEN = 707
COLOUR_BLUE = 708
COLOUR_ADD = 712           # its "Add to Custom Colors" button
COLOUR_CUSTOM = 721        # the area of its custom colours

HEADER_NAMES = {
    "FONT_FACE_COMBO": "cmb1", "FONT_SIZE_COMBO": "cmb3", "FILE_FOLDER_COMBO": "cmb2", "FILE_NAME_COMBO": "cmb13",
    "COLOUR_RED": "COLOR_RED", "COLOUR_GREEN": "COLOR_GREEN", "COLOUR_BLUE": "COLOR_BLUE",
    "COLOUR_ADD": "COLOR_ADD", "COLOUR_CUSTOM": "COLOR_CUSTOM1",
}
