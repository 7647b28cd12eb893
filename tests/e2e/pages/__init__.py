"""Pages: one per dialog of the clock and one for its indicator. A page opens
its window, finds its controls by the model's identifiers, presses them as a
user would (posted messages) and reads back what the window shows. Tests say
what they check through pages; the pages know how to get at it."""
