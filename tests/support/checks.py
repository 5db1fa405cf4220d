"""What every scripted check prints and counts."""

# Exit code of a test that is skipped.
SKIPPED = 77


class Checks:
    """Prints each check as it goes, ok or FAILED, and counts the failures."""

    def __init__(self):
        self.failed = 0

    def expect(self, what, expected, value):
        """Whether `value` is `expected`, or fits it where it is a predicate."""
        ok = expected(value) if callable(expected) else expected == value
        self.failed += not ok
        print("%s: %s: %r" % ("ok" if ok else "FAILED", what, value))
