"""What the end-to-end test scripts report: each failure where it was seen, and a closing
line that the test runner reads."""


class Failures:
    def __init__(self):
        self.items = []

    def add(self, where, what):
        self.items.append(f"{where}: {what}")

    def report(self):
        """Prints every failure and the closing line; gives the exit status."""
        for failure in self.items:
            print("FAIL " + failure)
        print(f"{0 if self.items else 1} passed, {1 if self.items else 0} failed")
        return 1 if self.items else 0
