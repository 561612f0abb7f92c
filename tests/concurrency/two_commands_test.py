#!/usr/bin/python3
"""Runs two pixmosa-cli commands on one folder at once, as the window and a script, or two
scripts, do: a gallery beside a rename whose new names are the gallery's thumbnail names, and
two galleries made with different settings. No photo may be lost, the second command must wait
for the first and then run whole, and a first command killed while the second waits must let
it go on.

  two_commands_test.py PIXMOSA_CLI MAKE_TEST_PHOTOS [ROUNDS]
"""

import hashlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing is left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from failures import Failures  # noqa: E402

WAITING = "Waiting for another Pixmosa command working in "


def digests(folder):
    found = []
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if name.lower().endswith(".jpg") and os.path.isfile(path):
            with open(path, "rb") as file:
                found.append(hashlib.sha256(file.read()).hexdigest())
    return found


class Setup:
    def __init__(self, cli, photos, root, count):
        self.cli = cli
        self.root = root
        self.template = os.path.join(root, "template")
        os.mkdir(self.template)
        # Sizes differ, so every photo has content of its own.
        wanted = []
        for n in range(1, count + 1):
            wanted += [f"{600 + n}x400", f"q{n:02}.jpg"]
        subprocess.run([photos, self.template, *wanted], check=True)
        self.photos = sorted(digests(self.template))
        self.pics = os.path.join(root, "pics")

    def environment(self, name, settings):
        registry = os.path.join(self.root, name + ".reg")
        env = dict(os.environ, PIXMOSA_REGISTRY=registry,
                   PIXMOSA_TEXT_STORE=os.path.join(self.root, name + ".dat"))
        for value_name, value in settings:
            subprocess.run([self.cli, "set", value_name, value], env=env, check=True,
                           stdout=subprocess.DEVNULL)
        return env

    def fresh_folder(self):
        shutil.rmtree(self.pics, ignore_errors=True)
        shutil.copytree(self.template, self.pics)

    def start(self, env, *args):
        return subprocess.Popen([self.cli, "--image-dir", self.pics, *args], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)


def finish(process):
    _, err = process.communicate(timeout=120)
    return process.returncode, err


def lost_photos(setup):
    found = digests(setup.pics)
    return sum(1 for photo in setup.photos if photo not in found)


def gallery_beside_rename(setup, env, rounds, failures):
    """The rename's new names are the thumbnails' names: a thumbnail written after the gallery
    checked its names would replace a photo just renamed to that name."""
    waited = 0
    for round_number in range(rounds):
        setup.fresh_folder()
        first, second = ("gallery",), ("rename", "tq")
        if round_number % 2:
            first, second = second, first
        processes = [setup.start(env, *first), setup.start(env, *second)]
        outcomes = [finish(process) for process in processes]
        lost = lost_photos(setup)
        if lost:
            failures.add(f"gallery beside rename, round {round_number + 1}",
                         f"{lost} photos lost")
        for (code, err), args in zip(outcomes, (first, second)):
            if args[0] == "gallery" and code != 0:
                failures.add(f"gallery beside rename, round {round_number + 1}",
                             f"the gallery failed: {err.strip()}")
        waited += any(WAITING in err for _, err in outcomes)
    print(f"gallery beside rename: {rounds} rounds, the second command waited in {waited}")
    if waited == 0:
        failures.add("gallery beside rename", "the two commands never met")


def two_galleries(setup, rounds, failures):
    """Two galleries of different titles: every page must be the one run's or the other's, never
    a mix of both."""
    envs = [setup.environment(f"gallery{n}", [("GalleryTitle", f"Title{n}"), ("Rows", "1"),
                                              ("Columns", "1")]) for n in (1, 2)]
    waited = 0
    for round_number in range(rounds):
        setup.fresh_folder()
        processes = [setup.start(env, "gallery") for env in envs]
        outcomes = [finish(process) for process in processes]
        where = f"two galleries, round {round_number + 1}"
        for code, err in outcomes:
            if code != 0:
                failures.add(where, f"a gallery failed: {err.strip()}")
        titles = set()
        for name in os.listdir(setup.pics):
            if name.startswith("Gallery") and name.endswith(".html"):
                with open(os.path.join(setup.pics, name), encoding="utf-8") as page:
                    text = page.read()
                titles |= {title for title in ("Title1", "Title2") if title in text}
        if len(titles) != 1:
            failures.add(where, f"the gallery pages mix the runs: {sorted(titles)}")
        waited += any(WAITING in err for _, err in outcomes)
    print(f"two galleries: {rounds} rounds, the second waited in {waited}")


def killed_first_lets_the_second_go_on(setup, env, failures):
    setup.fresh_folder()
    gallery = setup.start(env, "gallery")
    line = gallery.stderr.readline()
    # Held still where it holds the lock, until it is killed.
    gallery.send_signal(signal.SIGSTOP)
    if "Creating thumbnail" not in line:
        failures.add("kill", f"the gallery did not start its thumbnails: {line!r}")
    rename = setup.start(env, "rename", "tq")
    line = rename.stderr.readline()
    if WAITING not in line:
        failures.add("kill", f"the rename did not wait for the gallery: {line!r}")
    gallery.send_signal(signal.SIGKILL)
    gallery.wait()
    code, err = finish(rename)
    if code != 0:
        failures.add("kill", f"the waiting rename failed after the gallery was killed: {err}")
    names = sorted(name for name in os.listdir(setup.pics) if name.startswith("tq"))
    if names[:2] != ["tq01.jpg", "tq02.jpg"]:
        failures.add("kill", f"the photos were not renamed: {names[:4]}")
    if lost_photos(setup):
        failures.add("kill", "photos lost")


def main():
    cli, photos = sys.argv[1:3]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    failures = Failures()
    with tempfile.TemporaryDirectory(prefix="pixmosa-two-") as root:
        setup = Setup(cli, photos, root, 24)
        # Thumbnails beside the photos, named with the prefix "t".
        env = setup.environment("beside", [("ThumbsDir", ""), ("ThumbPrefix", "t"),
                                           ("ThumbSize", "150")])
        gallery_beside_rename(setup, env, rounds, failures)
        two_galleries(setup, max(1, rounds // 5), failures)
        killed_first_lets_the_second_go_on(setup, env, failures)
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
