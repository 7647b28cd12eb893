"""The one check that repeated work leaks neither memory nor GDI objects."""

from __future__ import annotations

from typing import Callable

from .clock import Clock

# What the private bytes may grow by over the measured repetitions. Wine's heap
# moves by a few pages on its own; a leak of a brush, a font or an icon at each
# repetition shows as hundreds of kilobytes over them.
MEMORY_BOUND = 64 * 1024
# A count may catch a paint in progress holding a few; a leak would be thousands.
GDI_SLACK = 4


def check_no_leak(clock: Clock, repeat: Callable[[int], None], count: int, warm_up: int):
    """Runs `repeat(warm_up)` so that caches and lazily made objects settle,
    then `repeat(count)`, and fails if the program's private memory or its GDI
    objects grew past the bounds. `repeat(n)` returns once n repetitions are handled."""
    clock.fill_dc_cache()
    repeat(warm_up)
    objects_before = clock.gdi_objects()  # loads the counting DLL before the memory is read
    assert objects_before > 0, "the count read no GDI objects: it proves nothing"
    before = clock.memory()[0]
    repeat(count)
    after = clock.memory()[0]
    assert clock.running
    objects_after = clock.gdi_objects()
    assert 0 < objects_after <= objects_before + GDI_SLACK, (objects_before, objects_after)
    assert after - before < MEMORY_BOUND, (before, after)
