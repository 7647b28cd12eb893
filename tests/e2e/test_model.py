"""The tests' model of identifiers and texts against the program's sources:
every identifier with its header's number, every Text a row of the texts
table, every Label in its dialog's template."""

from __future__ import annotations

import importlib
import pkgutil
import re
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))

import model  # noqa: E402
from model import Colour, Label, Text  # noqa: E402

REPO = Path(__file__).resolve().parents[2]
DEFINE = re.compile(r"^\s*#\s*define\s+(\w+)\s+(0x[0-9a-fA-F]+|\d+)\b", re.MULTILINE)
LITERALS = r'((?:\s*"(?:[^"\\]|\\.)*")+)\s*'
TEXT_ROW = re.compile(r"^TEXT\(\w+,\s*" + LITERALS + "," + LITERALS + r"\)", re.MULTILINE)
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')
MODULES = [importlib.import_module(f"model.{info.name}") for info in pkgutil.iter_modules(model.__path__)]


C_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\"}


def unescape(text: str) -> str:
    """A C string literal's text: the escapes the texts table uses."""
    joined = "".join(LITERAL.findall(text))  # adjacent literals make one string
    return re.sub(r"\\(.)", lambda m: C_ESCAPES.get(m.group(1), m.group(0)), joined)


def constants(module, kind):
    return {name: value for name, value in vars(module).items()
            if name.isupper() and isinstance(value, kind) and not isinstance(value, (bool, Colour))}


def texts(module):
    """The module's Text and Label constants, those in tuples of texts as NAME[i]."""
    found = constants(module, (Text, Label))
    for name, value in constants(module, tuple).items():
        if value and all(isinstance(v, (Text, Label)) for v in value) and not isinstance(value, Text):
            found.update({f"{name}[{i}]": v for i, v in enumerate(value)})
    return found


def test_every_module_holds_something_to_check():
    assert MODULES, "the model has no modules"
    for module in MODULES:
        ids = constants(module, int) if hasattr(module, "HEADER") else {}
        assert ids or texts(module), f"{module.__name__} holds neither identifiers nor texts"


@pytest.mark.parametrize("module", [m for m in MODULES if hasattr(m, "HEADER")], ids=lambda m: m.__name__)
def test_identifiers_match_their_header(module):
    headers = (module.HEADER,) if isinstance(module.HEADER, str) else module.HEADER
    defines = {name: int(value, 0) for header in headers for name, value in DEFINE.findall((REPO / header).read_text())}
    wrong = {}
    for name, value in constants(module, int).items():
        in_header = getattr(module, "HEADER_NAMES", {}).get(name) or (
            name if name in defines else getattr(module, "PREFIX", "") + name)
        if defines.get(in_header) != value:
            wrong[name] = (value, in_header, defines.get(in_header))
    assert not wrong, f"model {module.__name__} against {module.HEADER}: {wrong}"


def test_texts_are_rows_of_the_texts_table_and_labels_in_their_templates():
    rows = {(unescape(ru), unescape(en)) for ru, en in TEXT_ROW.findall((REPO / "src/base/texts.def").read_text())}
    assert len(rows) > 50, "the texts table was not read"
    wrong = []
    for module in MODULES:
        templates = "".join((REPO / path).read_text() for path in getattr(module, "TEMPLATES", ()))
        for name, value in texts(module).items():
            if isinstance(value, Text) and tuple(value) not in rows:
                wrong.append(f"{module.__name__}.{name} = {tuple(value)} is no row of src/base/texts.def")
            elif isinstance(value, Label) and '"%s"' % value.replace('"', '""') not in templates:  # rc doubles quotes
                wrong.append(f"{module.__name__}.{name} = {value!r} is in none of {module.TEMPLATES}")
    assert not wrong, "\n".join(wrong)
