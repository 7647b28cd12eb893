"""The boxes reminders show when they fire: one at a time, each waiting for
its OK before the next."""

from __future__ import annotations

import time

import harness as H
from model import reminder_box as B


def next_box(clock: H.Clock, timeout=20.0) -> H.MessageBox:
    """Waits for a reminder box and checks it is the only one open."""
    clock.wait_message_boxes(1, timeout=timeout)
    boxes = clock.message_boxes()
    assert len(boxes) == 1, f"more than one box open at once: {boxes}"
    assert boxes[0].caption == B.CAPTION.russian  # the same in both languages
    return boxes[0]


def no_box_for(clock: H.Clock, seconds=2.5):
    """No reminder box shows up during the next few seconds (nothing to wait
    for: a box that does not come is seen only by looking for a while)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        boxes = clock.message_boxes()
        assert not boxes, f"unexpected box: {boxes}"
        time.sleep(0.2)


def box_texts_in_turn(clock: H.Clock, count) -> list[str]:
    """Dismisses `count` boxes one after another; returns their texts."""
    texts = []
    for _ in range(count):
        box = next_box(clock)
        texts.append(box.text)
        clock.dismiss(box)
    return texts
