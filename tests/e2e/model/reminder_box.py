"""The box a reminder shows when it fires."""

from model import Text

CAPTION = Text("Вы просили напомнить...", "Вы просили напомнить...")
