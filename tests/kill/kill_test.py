#!/usr/bin/python3
"""Kills pixmosa-cli with SIGKILL at random moments while it makes thumbnails, writes gallery
pages, renames photos and stores settings and texts, and checks after every kill that nothing
was lost or torn: every photo is byte for byte as it was, every thumbnail is a whole JPEG (or
empty), every page is whole, both stores can be read, and once the next command has run no
temporary file is left.

  kill_test.py PIXMOSA_CLI MAKE_TEST_PHOTOS [ROUNDS_PER_COMMAND]
"""

import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing is left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from failures import Failures  # noqa: E402

TEMPORARY = re.compile(r"^\..+\.tmp-\d+\.[0-9a-f]+-\d+$")


def digest(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def photo_digests(folder):
    return sorted(digest(os.path.join(folder, name)) for name in os.listdir(folder)
                  if name.lower().endswith(".jpg") and os.path.isfile(os.path.join(folder, name)))


class Setup:
    def __init__(self, cli, photos, root):
        self.cli = cli
        self.root = root
        self.pics = os.path.join(root, "pics")
        self.env = dict(os.environ, PIXMOSA_REGISTRY=os.path.join(root, "config", "registry.reg"),
                        PIXMOSA_TEXT_STORE=os.path.join(root, "data", "Pixmosa.dat"))
        os.mkdir(self.pics)
        photos_wanted = []
        for n in range(1, 161):
            photos_wanted += ["480x360" if n % 4 else "360x480@6", f"photo{n:03}.jpg"]
        subprocess.run([photos, self.pics, *photos_wanted], check=True)
        self.photos = photo_digests(self.pics)
        for args in (["set", "Rows", "1"], ["set", "Columns", "1"], ["set", "ThumbSize", "200"],
                     ["set", "Sorted", "1"]):
            self.run(args)
        self.run(["text", "set", "Gallery Header"], "<H1>Kill test</H1>\n")

    def command(self, args):
        return [self.cli, "--image-dir", self.pics, *args]

    def run(self, args, text=None):
        return subprocess.run(self.command(args), env=self.env, input=text, text=True,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def start(self, args, text=None):
        process = subprocess.Popen(self.command(args), env=self.env, text=True,
                                   stdin=subprocess.PIPE if text is not None else None,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if text is not None:
            process.stdin.write(text)
            process.stdin.close()
        return process

    def folders(self):
        thumbs = os.path.join(self.pics, "Thumbs")
        return [self.pics, thumbs, os.path.dirname(self.env["PIXMOSA_REGISTRY"]),
                os.path.dirname(self.env["PIXMOSA_TEXT_STORE"])]


def check(setup, where, failures, after_next):
    if photo_digests(setup.pics) != setup.photos:
        failures.add(where, "the photos are not byte for byte as they were")
    thumbs = os.path.join(setup.pics, "Thumbs")
    for name in os.listdir(thumbs) if os.path.isdir(thumbs) else []:
        if TEMPORARY.match(name):
            continue
        with open(os.path.join(thumbs, name), "rb") as file:
            data = file.read()
        if data and not (data.startswith(b"\xff\xd8") and data.endswith(b"\xff\xd9")):
            failures.add(where, f"thumbnail {name} is not a whole JPEG")
    for name in os.listdir(setup.pics):
        if name.endswith(".html") and not TEMPORARY.match(name):
            with open(os.path.join(setup.pics, name), "rb") as file:
                if not file.read().endswith(b"</HTML>\r\n"):
                    failures.add(where, f"page {name} is not whole")
    for args in (["get", "Columns"], ["text", "get", "Gallery Header"], ["banks", "list"]):
        result = setup.run(args)
        if result.returncode != 0:
            failures.add(where, f"{' '.join(args)} fails: {result.stderr.strip()}")
    if after_next:
        for folder in setup.folders():
            for name in os.listdir(folder) if os.path.isdir(folder) else []:
                if TEMPORARY.match(name):
                    failures.add(where, f"temporary file {name} left in {folder}")


def main():
    cli, photos = sys.argv[1:3]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 6
    failures = Failures()
    random.seed(int(os.environ.get("PIXMOSA_KILL_SEED", time.time())))
    with tempfile.TemporaryDirectory(prefix="pixmosa-kill-") as root:
        setup = Setup(cli, photos, root)
        commands = {
            "thumbnails": (["thumbnails"], None),
            "gallery": (["gallery"], None),
            "rename": (None, None),
            "text set": (["text", "set", "Index Footer"], "".join(f"line {n}\n" for n in range(2000))),
            "set": (None, None),
        }
        kills = 0
        for name, (args, text) in commands.items():
            for round_number in range(rounds):
                if name == "rename":
                    args = ["rename", random.choice(["Trip-", "photo", "Z"])]
                if name == "set":
                    args = ["set", "Columns", str(random.randint(1, 9))]
                started = time.monotonic()
                full = setup.run(args, text)
                duration = time.monotonic() - started
                if name not in ("rename",) and full.returncode != 0:
                    failures.add(name, f"an uninterrupted run fails: {full.stderr.strip()}")
                process = setup.start(args, text)
                time.sleep(random.uniform(0, duration))
                process.send_signal(signal.SIGKILL)
                process.wait()
                kills += 1
                where = f"{name} round {round_number + 1}"
                check(setup, where, failures, after_next=False)
                # The next command, run to its end, clears what the killed one left.
                setup.run(["gallery"])
                setup.run(["set", "Rows", "1"])
                setup.run(["text", "set", "Gallery Footer"], "x\n")
                check(setup, where + ", after the next command", failures, after_next=True)
        print(f"{kills} kills during thumbnails, gallery, rename, text set and set")
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
