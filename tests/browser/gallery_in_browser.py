#!/usr/bin/python3
"""Makes galleries with pixmosa-cli and follows every link from their index pages in headless
Chromium, over file:// and over http from a server on 127.0.0.1.

It fails on a link whose target does not load or lies outside the gallery, an image that does
not load or is drawn out of its proportions, a console or script error, a title or header text
other than the one set, and a banner call that writes anything but one of its bank's banners.
Over http, where a page may read an image's pixels, it also fails on an image that is not
upright (sky above ground, the sun at the top left), and on a thumbnail of a wide-gamut photo
that shows other colours than the photo. A gallery made with the phone recipe of the help page
(a viewport line and a style line of Header Code) is opened at 390 CSS pixels, three device
pixels each: no page may scroll sideways, and no text may be drawn below 12 CSS pixels.

  gallery_in_browser.py PIXMOSA_CLI MAKE_TEST_PHOTOS OUTPUT_DIR
"""

import http.server
import os
import subprocess
import sys
import tempfile
import threading
import urllib.error
import urllib.parse
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.dont_write_bytecode = True  # nothing is left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from failures import Failures  # noqa: E402

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
HOME_PAGE = "https://pixmosa.org/"

# Names that break a link unless they are encoded, and names outside ASCII.
ODD_NAMES = [
    "My Photo.jpg", "Photo#1.jpg", "50%20off.jpg", "Why?.jpg", 'Say "Hi".jpg', "A&copy.jpg",
    "IMG:1.jpg", "Tom's.jpg", "Café.jpg", "東京.jpg", "UPPER.JPG",
]

GALLERY_TITLE = "Galerie Café Zürich"
IMAGE_TITLE = "Bild aus Zürich – 東京"
INDEX_TITLE = "Übersicht 東京"
GALLERY_HEADER = "Café Zürich 東京"
IMAGE_HEADER = "Ein Bild – Ça va"
INDEX_HEADER = "Willkommen – ようこそ"

# The Ads bank: one banner of markup, one that is script code, one with an apostrophe; what
# each shows on the page once its markup has run.
ADS_BANK = [
    "<B>Buy</B> now", "",
    "<SCRIPT>document.write('<I>Ad two</I>')</SCRIPT>", "",
    "It's here",
]
ADS_SHOWN = {"Buy now", "Ad two", "It's here"}


def header(text):
    return ['<H1 ID="header">' + text + "</H1>",
            '<DIV CLASS="banner" DATA-BANK="Ads">{Ads}</DIV>']


FOOTER = ['<DIV CLASS="banner" DATA-BANK="Empty">{Empty}</DIV>']

# The two lines of Header Code that make a gallery fit a phone, as the help page gives them;
# the style line also lifts the index page's "Page n" captions from their 10 pixels.
PHONE_RECIPE = ['<META NAME="viewport" CONTENT="width=device-width, initial-scale=1">',
                '<STYLE>IMG{max-width:100%;height:auto} FONT[size="1"]{font-size:12px}</STYLE>']

# Ghostscript's Adobe RGB (1998), grey and SWOP CMYK profiles, from Debian's libgs-common.
WIDE_GAMUT_PROFILE = "/usr/share/color/icc/ghostscript/a98.icc"
GREY_PROFILE = "/usr/share/color/icc/ghostscript/sgray.icc"
CMYK_PROFILE = "/usr/share/color/icc/ghostscript/default_cmyk.icc"


def with_icc_profile(jpeg, profile):
    """The JPEG with the profile in APP2 segments right after its start-of-image marker, as many
    as it takes."""
    step = 65519
    parts = [profile[at:at + step] for at in range(0, len(profile), step)]
    segments = b""
    for number, part in enumerate(parts, 1):
        data = b"ICC_PROFILE\0" + bytes([number, len(parts)]) + part
        segments += b"\xff\xe2" + (len(data) + 2).to_bytes(2, "big") + data
    return jpeg[:2] + segments + jpeg[2:]


class Cli:
    def __init__(self, program, root):
        self.program = program
        self.env = dict(os.environ,
                        PIXMOSA_REGISTRY=os.path.join(root, "registry.reg"),
                        PIXMOSA_TEXT_STORE=os.path.join(root, "Pixmosa.dat"))

    def __call__(self, *args, lines=None):
        subprocess.run([self.program, *args], env=self.env, check=True,
                       input=None if lines is None else "\n".join(lines) + "\n",
                       text=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_galleries(cli_program, photos_program, root):
    """Two galleries: odd names at 2 x 5 with image pages, and 23 pictures at 1 x 1 whose
    thumbnails link to the pictures themselves."""
    cli = Cli(cli_program, root)
    for name, value in [("GalleryTitle", GALLERY_TITLE), ("ImageTitle", IMAGE_TITLE),
                        ("IndexTitle", INDEX_TITLE), ("ThumbSize", "120")]:
        cli("set", name, value)
    for section, lines in [("Gallery Header", header(GALLERY_HEADER)),
                           ("Image Header", header(IMAGE_HEADER)),
                           ("Index Header", header(INDEX_HEADER)),
                           ("Gallery Footer", FOOTER), ("Image Footer", FOOTER),
                           ("Index Footer", FOOTER)]:
        cli("text", "set", section, lines=lines)
    cli("banks", "add", "Ads")
    cli("banks", "add", "Empty")
    cli("text", "set", "Ads", lines=ADS_BANK)

    odd = os.path.join(root, "odd")
    os.mkdir(odd)
    photos_wanted = ["640x480", "Landscape.jpg", "480x640", "Portrait.jpg",
             "480x640@6", "Turned 6.jpg", "480x640@8", "Turned 8.jpg", "500x300@3", "Upside.jpg",
             "500x300@2", "Mirrored.jpg", "300x500@5", "Transposed.jpg",
             "300x500@7", "Transversed.jpg"]
    for name in ODD_NAMES:
        photos_wanted += ["400x300", name]
    subprocess.run([photos_program, odd, *photos_wanted], check=True)
    cli("set", "Rows", "2")
    cli("set", "Columns", "5")
    cli("set", "UseImageShell", "1")
    cli("--image-dir", odd, "gallery")

    many = os.path.join(root, "many")
    os.mkdir(many)
    photos_wanted = []
    for n in range(1, 23):
        photos_wanted += ["320x240" if n % 3 else "240x320@6", f"p{n:02}.jpg"]
    photos_wanted += ["320x240", "Zoë #2.jpg"]
    subprocess.run([photos_program, many, *photos_wanted], check=True)
    cli("set", "Rows", "1")
    cli("set", "Columns", "1")
    cli("set", "UseImageShell", "0")
    cli("--image-dir", many, "gallery")

    # Bad photos first, in the middle and last, left out by --keep-going.
    keep = os.path.join(root, "keep")
    os.mkdir(keep)
    subprocess.run([photos_program, keep, "400x300", "b-good.jpg", "300x400@8", "d-good.jpg",
                    "400x300", "f-good.jpg"], check=True)
    for name, data in [("a-bad.jpg", b"not a photo"), ("c-bad.jpg", b""),
                       ("g-bad.jpg", b"\xff\xd8 cut")]:
        with open(os.path.join(keep, name), "wb") as file:
            file.write(data)
    cli("set", "Sorted", "1")
    cli("set", "UseImageShell", "1")
    kept = subprocess.run([cli_program, "--image-dir", keep, "gallery", "--keep-going"],
                          env=cli.env, capture_output=True, text=True)
    if kept.returncode != 1 or "3 of 6 images were left out" not in kept.stderr:
        raise RuntimeError(f"--keep-going gallery: exit {kept.returncode}, {kept.stderr}")

    # A photo in Adobe RGB, whose thumbnail must keep the profile to show the same colours.
    colour = os.path.join(root, "colour")
    os.mkdir(colour)
    subprocess.run([photos_program, colour, "640x480", "Wide.jpg"], check=True)
    wide = os.path.join(colour, "Wide.jpg")
    with open(wide, "rb") as file, open(WIDE_GAMUT_PROFILE, "rb") as profile:
        tagged = with_icc_profile(file.read(), profile.read())
    with open(wide, "wb") as file:
        file.write(tagged)
    cli("set", "Sorted", "0")
    cli("--image-dir", colour, "gallery")

    # A grey and a CMYK photo with their profiles, whose thumbnails must show what they show;
    # kept from the crawl, whose pictures are the colour scene.
    profiled = os.path.join(root, "profiled")
    os.mkdir(profiled)
    for kind, name, profile_path in [("grey", "Grey.jpg", GREY_PROFILE),
                                     ("cmyk", "Inks.jpg", CMYK_PROFILE)]:
        subprocess.run([photos_program, profiled, f"640x480/{kind}", name], check=True)
        with open(os.path.join(profiled, name), "rb") as file, open(profile_path, "rb") as profile:
            tagged = with_icc_profile(file.read(), profile.read())
        with open(os.path.join(profiled, name), "wb") as file:
            file.write(tagged)
    cli("--image-dir", profiled, "gallery")

    # Last, as its Header Code is every later gallery's: the phone recipe.
    phone = os.path.join(root, "phone")
    os.mkdir(phone)
    photos_wanted = []
    for n in range(1, 13):
        photos_wanted += ["1600x1200" if n % 2 else "1200x1600@6", f"Phone photo {n:02}.jpg"]
    subprocess.run([photos_program, phone, *photos_wanted], check=True)
    cli("set", "Rows", "2")
    cli("set", "Columns", "5")
    cli("text", "set", "Header Code", lines=PHONE_RECIPE)
    cli("--image-dir", phone, "gallery")
    return [(odd, 2 + 1 + 8 + len(ODD_NAMES)), (many, 23 + 1), (keep, 3 + 3 + 1),
            (colour, 1 + 1 + 1), (phone, 2 + 12 + 1)]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path == "/favicon.ico":  # not part of a gallery
            self.send_response(204)
            self.end_headers()
            return
        super().do_GET()


def start_server(root):
    handler = lambda *args, **kwargs: QuietHandler(*args, directory=root, **kwargs)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--disable-quic", "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=1100,900",
                     "--user-data-dir=" + profile]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.set_page_load_timeout(20)
    return driver


# Runs in the page: every image with its natural and drawn size and, where the page may read
# its pixels (not over file://), the colours of the sky above the middle, the ground below it,
# the sun at the top left and the sky at the top right.
IMAGES_SCRIPT = """
const canRead = location.protocol !== 'file:';
return Array.from(document.images).map(img => {
  const result = {src: img.currentSrc || img.src, complete: img.complete,
                  naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
                  width: img.width, height: img.height, top: null};
  if (canRead && img.naturalWidth > 0) {
    const canvas = document.createElement('canvas');
    canvas.width = img.naturalWidth;
    canvas.height = img.naturalHeight;
    const context = canvas.getContext('2d');
    context.drawImage(img, 0, 0);
    const at = (x, y) => Array.from(context.getImageData(
        Math.floor(img.naturalWidth * x), Math.floor(img.naturalHeight * y), 1, 1).data);
    result.top = at(0.5, 0.3);
    result.bottom = at(0.5, 0.8);
    result.sun = at(0.2, 0.15);
    result.across = at(0.8, 0.15);
  }
  return result;
});
"""

# Runs in the page: what each banner call wrote, leaving out the script elements themselves.
BANNERS_SCRIPT = """
function shown(node) {
  if (node.nodeType === Node.TEXT_NODE) return node.textContent;
  if (node.nodeName === 'SCRIPT') return '';
  return Array.from(node.childNodes).map(shown).join('');
}
return Array.from(document.querySelectorAll('div.banner')).map(
    div => ({bank: div.dataset.bank, text: shown(div)}));
"""

LINKS_SCRIPT = "return Array.from(document.links).map(a => a.href);"


# Runs in the page: the page's width against the window's, and every text drawn smaller than
# 12 CSS pixels.
PHONE_SCRIPT = """
const small = [];
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
while (walker.nextNode()) {
  const node = walker.currentNode;
  const element = node.parentElement;
  if (!node.textContent.trim() || element.closest('script, style')) continue;
  const size = parseFloat(getComputedStyle(element).fontSize);
  if (size < 12) small.push(node.textContent.trim().slice(0, 40) + ' at ' + size + 'px');
}
return {pageWidth: document.documentElement.scrollWidth, windowWidth: window.innerWidth, small};
"""


def is_sky(pixel):
    red, green, blue = pixel[:3]
    return blue > red + 60 and blue > green + 30


def is_sun(pixel):
    red, green, blue = pixel[:3]
    return red > green + 80 and red > blue + 80


def is_ground(pixel):
    red, green, blue = pixel[:3]
    return green > red + 60 and green > blue + 40


class Crawl:
    def __init__(self, driver, failures, base, shots):
        self.driver = driver
        self.failures = failures
        self.base = base  # the folder URL every gallery file lies under
        self.shots = shots
        self.pages = 0
        self.links = 0
        self.images = 0
        self.banners = 0

    def target_loads(self, url):
        if url.startswith("file:"):
            return os.path.isfile(urllib.parse.unquote(urllib.parse.urlsplit(url).path))
        try:
            with urllib.request.urlopen(url, timeout=10) as response:
                return response.status == 200
        except urllib.error.URLError:
            return False

    def expected(self, url):
        """The title and header of the page at url, by its kind."""
        name = urllib.parse.unquote(url.rsplit("/", 1)[1])
        if name == "index.html":
            return "index", INDEX_TITLE, INDEX_HEADER
        if name.startswith("Gallery") and name[7:-5].isdigit():
            return "gallery", GALLERY_TITLE, GALLERY_HEADER
        return "image", IMAGE_TITLE, IMAGE_HEADER

    def check_console(self, where):
        for entry in self.driver.get_log("browser"):
            if entry["level"] == "SEVERE":
                self.failures.add(where, "console: " + entry["message"])

    def check_images(self, where):
        for image in self.driver.execute_script(IMAGES_SCRIPT):
            self.images += 1
            src = urllib.parse.unquote(image["src"])
            if not image["complete"] or image["naturalWidth"] == 0:
                self.failures.add(where, f"image does not load: {src}")
                continue
            natural = image["naturalWidth"] / image["naturalHeight"]
            drawn = image["width"] / image["height"] if image["height"] else 0
            if abs(drawn / natural - 1) > 0.03:
                self.failures.add(where, f"{src} drawn {image['width']}x{image['height']}, "
                                         f"natural {image['naturalWidth']}x"
                                         f"{image['naturalHeight']}")
            if image["top"] is not None and not (
                    is_sky(image["top"]) and is_ground(image["bottom"]) and
                    is_sun(image["sun"]) and is_sky(image["across"])):
                self.failures.add(where, f"{src} is not upright: sky {image['top']}, ground "
                                         f"{image['bottom']}, sun {image['sun']}, top right "
                                         f"{image['across']}")

    def check_texts(self, where, title, header):
        if self.driver.title != title:
            self.failures.add(where, f"title {self.driver.title!r}, set {title!r}")
        shown = self.driver.execute_script(
            "const h = document.getElementById('header'); return h ? h.textContent : null;")
        if shown != header:
            self.failures.add(where, f"header {shown!r}, set {header!r}")
        for banner in self.driver.execute_script(BANNERS_SCRIPT):
            self.banners += 1
            allowed = ADS_SHOWN if banner["bank"] == "Ads" else {""}
            if banner["text"] not in allowed:
                self.failures.add(where, f"banner of {banner['bank']} wrote {banner['text']!r}")
        if "undefined" in self.driver.execute_script("return document.body.innerText;"):
            self.failures.add(where, "the page shows 'undefined'")

    def check_picture(self, url):
        """A link straight to a JPEG: it must load and show as a picture."""
        self.driver.get(url)
        where = urllib.parse.unquote(url)
        self.check_console(where)
        self.check_images(where)

    def run(self, index_url, gallery):
        queue = [index_url]
        seen = {index_url}
        shot_kinds = set()
        while queue:
            url = queue.pop(0)
            self.driver.get(url)
            self.pages += 1
            where = urllib.parse.unquote(url)
            kind, title, header = self.expected(url)
            self.check_console(where)
            self.check_images(where)
            self.check_texts(where, title, header)
            if self.shots and kind not in shot_kinds and (kind != "image" or "Turned" in where):
                shot_kinds.add(kind)
                self.driver.save_screenshot(
                    os.path.join(self.shots, f"{gallery}-{kind}-page.png"))
            for link in self.driver.execute_script(LINKS_SCRIPT):
                target = link.split("#", 1)[0]
                if link == HOME_PAGE:
                    continue  # the credit line's
                self.links += 1
                if not target.startswith(self.base):
                    self.failures.add(where, f"link out of the gallery: {link}")
                    continue
                if not self.target_loads(target):
                    self.failures.add(where, f"dead link: {urllib.parse.unquote(link)}")
                    continue
                if target in seen:
                    continue
                seen.add(target)
                if target.lower().endswith(".html"):
                    queue.append(target)
                else:
                    self.check_picture(target)
        return seen


def check_colours(driver, failures, base, shots):
    """The thumbnail of the Adobe RGB photo shows the photo's colours, which differ from its
    stored values, so the browser did apply the profile to both."""
    pixels = {}
    for page in ["Gallery1.html", "Wide.html"]:
        driver.get(f"{base}/colour/{page}")
        images = [image for image in driver.execute_script(IMAGES_SCRIPT)
                  if "Wide.jpg" in urllib.parse.unquote(image["src"])]
        if len(images) != 1 or images[0]["top"] is None:
            failures.add(f"colour {page}", "the picture's pixels cannot be read")
            return
        pixels[page] = images[0]["top"][:3]
        driver.save_screenshot(os.path.join(shots, f"colour-{page[:-5]}-page.png"))
    thumbnail, photo = pixels["Gallery1.html"], pixels["Wide.html"]
    if max(abs(a - b) for a, b in zip(thumbnail, photo)) > 8:
        failures.add("colour", f"thumbnail sky {thumbnail}, photo sky {photo}")
    if max(abs(a - b) for a, b in zip(photo, [80, 140, 230])) < 10:
        failures.add("colour", f"the photo's profile was not applied: sky {photo}")
    check_profiled_photos(driver, failures, base, shots)


def check_profiled_photos(driver, failures, base, shots):
    """The grey and the CMYK photo and their thumbnails, each with their profiles applied, show
    the same colours on the flat sky and ground, within 4 levels."""
    for gallery_page, name in [("Gallery1.html", "Grey.jpg"), ("Gallery2.html", "Inks.jpg")]:
        shown = {}
        for page in [gallery_page, name[:-4] + ".html"]:
            driver.get(f"{base}/profiled/{page}")
            images = [image for image in driver.execute_script(IMAGES_SCRIPT)
                      if name in urllib.parse.unquote(image["src"])]
            if len(images) != 1 or images[0]["top"] is None:
                failures.add(f"colour {name} on {page}", "the picture's pixels cannot be read")
                return
            shown[page] = images[0]
            driver.save_screenshot(os.path.join(shots, f"colour-{name[:-4]}-{page[:-5]}.png"))
        thumbnail, photo = shown.values()
        for patch in ["top", "bottom"]:
            difference = max(abs(a - b) for a, b in zip(thumbnail[patch][:3], photo[patch][:3]))
            if difference > 4:
                failures.add(f"colour {name}",
                             f"{patch}: thumbnail {thumbnail[patch][:3]}, photo {photo[patch][:3]}")


def check_phone(driver, failures, base, shots):
    """Every page of the phone gallery at 390 CSS pixels wide, three device pixels each."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
    try:
        queue, seen = [f"{base}/phone/index.html"], set()
        while queue:
            url = queue.pop(0)
            if url in seen:
                continue
            seen.add(url)
            driver.get(url)
            where = "phone " + urllib.parse.unquote(url.rsplit("/", 1)[1])
            found = driver.execute_script(PHONE_SCRIPT)
            if found["pageWidth"] > found["windowWidth"]:
                failures.add(where, f"scrolls sideways: {found['pageWidth']} CSS px in a window "
                                    f"of {found['windowWidth']}")
            for text in found["small"]:
                failures.add(where, f"small text: {text}")
            name = urllib.parse.unquote(url.rsplit("/", 1)[1])
            if name in ("index.html", "Gallery1.html", "Phone photo 01.html"):
                driver.save_screenshot(os.path.join(shots, "phone-" + name[:-5] + ".png"))
            queue += [link.split("#", 1)[0] for link in driver.execute_script(LINKS_SCRIPT)
                      if link.startswith(base) and link.split("#", 1)[0].endswith(".html")]
        if len(seen) != 2 + 12 + 1:
            failures.add("phone", f"{len(seen)} pages reached")
    finally:
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def main():
    cli_program, photos_program, output = sys.argv[1:4]
    os.makedirs(output, exist_ok=True)
    failures = Failures()
    with tempfile.TemporaryDirectory(prefix="pixmosa-browser-") as root:
        galleries = make_galleries(cli_program, photos_program, root)
        server = start_server(root)
        driver = start_browser(os.path.join(root, "profile"))
        try:
            for scheme in ["file", "http"]:
                base = ("file://" + urllib.parse.quote(root) if scheme == "file"
                        else f"http://127.0.0.1:{server.server_address[1]}")
                crawl = Crawl(driver, failures, base + "/", output if scheme == "http" else None)
                for folder, expected_pages in galleries:
                    name = os.path.basename(folder)
                    seen = crawl.run(f"{base}/{name}/index.html", name)
                    pages = sum(1 for url in seen if url.lower().endswith(".html"))
                    if pages != expected_pages:
                        failures.add(f"{scheme} {name}", f"{pages} pages reached, "
                                                         f"{expected_pages} written")
                print(f"{scheme}: {crawl.pages} pages, {crawl.links} links, {crawl.images} "
                      f"images, {crawl.banners} banners checked")
                if scheme == "http":
                    check_colours(driver, failures, base, output)
                    check_phone(driver, failures, base, output)
        finally:
            driver.quit()
            server.shutdown()
            server.server_close()
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
