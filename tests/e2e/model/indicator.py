"""The indicator's own boxes: what its close says when the settings file
cannot be written."""

from model import Text

NOT_SAVED_CAPTION = Text("Файл настроек", "Settings file")
SETTINGS_NOT_SAVED = Text(
    "Настройки не сохранены: в файл Horvik32.ini нельзя записать (его держит другая программа, "
    "папка закрыта для записи или диск полон).",
    "The settings were not saved: Horvik32.ini cannot be written (another program holds it, "
    "its folder cannot be written to, or the disk is full).")
# After the reason, past a blank line: what Retry and Cancel do.
CLOSE_RETRY = Text(
    "Нажмите «Повтор», чтобы сохранить ещё раз, когда причина устранена, или «Отмена», "
    "чтобы закрыть часы без сохранения.",
    "Press Retry to save again once that is put right, or Cancel to close the clock without saving.")
