#!/usr/bin/python3
"""A camera card: a FAT file system mounted through FUSE with fusefat, as where the kernel's
vfat is missing. It renames neither without replacing nor through hard links, and ignores
letter case. Renaming (also only the letter case), a rename onto a name another file holds,
thumbnails and a gallery must work there and lose nothing.

  fat_card_test.py PIXMOSA_CLI MAKE_TEST_PHOTOS

Exits 77 (skipped) where FUSE or fusefat is not available.
"""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing is left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from failures import Failures  # noqa: E402

SKIPPED = 77


def digest(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest()


def jpg_names(folder):
    return sorted(name for name in os.listdir(folder) if name.lower().endswith(".jpg")
                  and os.path.isfile(os.path.join(folder, name)))


def check_card(cli, photos, card, root, failures):
    pics = os.path.join(card, "DCIM")
    os.mkdir(pics)
    wanted = []
    for n in range(1, 6):
        wanted += [f"{300 + n}x200", f"IMG_{n:04}.JPG"]
    subprocess.run([photos, pics, *wanted], check=True)
    originals = {name: digest(os.path.join(pics, name)) for name in jpg_names(pics)}
    env = dict(os.environ, PIXMOSA_REGISTRY=os.path.join(root, "registry.reg"),
               PIXMOSA_TEXT_STORE=os.path.join(root, "Pixmosa.dat"))

    def run(*args):
        result = subprocess.run([cli, "--image-dir", pics, *args], env=env, text=True,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return result.returncode, result.stdout + result.stderr

    def contents():
        return sorted(digest(os.path.join(pics, name)) for name in jpg_names(pics))

    code, output = run("set", "Sorted", "1")
    code, output = run("rename", "trip")
    if code != 0 or jpg_names(pics) != [f"trip{n}.jpg" for n in range(1, 6)]:
        failures.add("rename", f"exit {code}, names {jpg_names(pics)}: {output}")
    code, output = run("rename", "Trip")
    if code != 0 or jpg_names(pics) != [f"Trip{n}.jpg" for n in range(1, 6)]:
        failures.add("rename of the letter case", f"exit {code}, names {jpg_names(pics)}: {output}")
    if contents() != sorted(originals.values()):
        failures.add("rename", "the photos are not as they were")

    # Another file holds the first new name; it is one of the images too, renamed last.
    with open(os.path.join(pics, "x1.jpg"), "wb") as other:
        other.write(b"someone else's")
    code, output = run("rename", "X")
    if code == 0 or "Cannot rename Trip1.jpg to X1.jpg: File exists" not in output:
        failures.add("rename onto a taken name", f"exit {code}: {output}")
    if contents() != sorted([*originals.values(), digest(os.path.join(pics, "X6.jpg"))]):
        failures.add("rename onto a taken name", "a file is not as it was")
    os.remove(os.path.join(pics, "X6.jpg"))
    for attempt in ("first", "second"):
        code, output = run("gallery")
        with open(os.path.join(pics, "index.html"), "rb") as page:
            whole = page.read().endswith(b"</HTML>\r\n")
        if code != 0 or not whole:
            failures.add(f"{attempt} gallery", f"exit {code}, index page whole {whole}: {output}")
    code, output = run("thumbnails")
    thumbnails = os.path.join(pics, "Thumbs")
    if code != 0 or len(jpg_names(thumbnails)) != 5:
        failures.add("thumbnails", f"exit {code}: {output}")
    if contents() != sorted(originals.values()):
        failures.add("gallery", "the photos are not as they were")
    print(f"on fusefat: {jpg_names(pics)}, {len(os.listdir(pics))} entries")


def main():
    cli, photos = sys.argv[1:3]
    tools = ["fusefat", "mkfs.vfat", "fusermount"]
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing or not os.path.exists("/dev/fuse"):
        print(f"skipped: no /dev/fuse or no {', '.join(missing or tools)} here")
        return SKIPPED
    failures = Failures()
    with tempfile.TemporaryDirectory(prefix="pixmosa-fat-") as root:
        image = os.path.join(root, "card.img")
        card = os.path.join(root, "card")
        os.mkdir(card)
        with open(image, "wb") as file:
            file.truncate(64 * 1024 * 1024)
        subprocess.run(["mkfs.vfat", image], check=True, stdout=subprocess.DEVNULL)
        mounted = subprocess.run(["fusefat", "-o", "rw+", image, card], text=True,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if mounted.returncode != 0:
            print(f"skipped: fusefat cannot mount here: {mounted.stdout.strip()}")
            return SKIPPED
        try:
            check_card(cli, photos, card, root, failures)
        finally:
            subprocess.run(["fusermount", "-u", card], check=False)
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
