"""What the tests know of the program's windows, written out once: the
control, menu and string identifiers of each dialog, and the texts they show.

One module per identifier header of the program. Each names its header
(HEADER, from the repository's root) and the prefix its names carry there
(PREFIX): a constant DAY_FIRST of a module with PREFIX "IDC_CAL_" is the
header's IDC_CAL_DAY_FIRST; a constant named as in the header is checked under
its own name. Texts are Text pairs (Russian, English), each a row of the
program's texts table, or Label strings, each written in one of the module's
TEMPLATES; a tuple of texts holds rows of one run (months, weekdays).
Colours the program paints are Colour numbers: facts the tests know, not
identifiers. tests/e2e/test_model.py checks the rest against the sources: the
values here are never read from them, so a changed identifier or text in the
program fails that one test instead of passing silently everywhere else.
"""

from __future__ import annotations

from typing import NamedTuple


class Text(NamedTuple):
    """A text of the program in its two interface languages."""
    russian: str
    english: str

    def in_language(self, language: str) -> str:
        """The text for a settings file's Language value ("Rus" or "Eng")."""
        return self.english if language == "Eng" else self.russian


class Label(str):
    """A text a dialog template gives a control (the same in both languages
    unless the program relabels it; then it is a Text)."""


class Colour(int):
    """A colour the program paints, as a COLORREF (0x00BBGGRR)."""
