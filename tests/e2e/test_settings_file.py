"""The settings file at start-up and exit, real files beside a real program: with an older
installation's Glimmora.ini beside the program and no per-user file, its values are taken over
(the halo is their size) and saved with every other key to %APPDATA%; the older file stays as
it was. With both, the per-user one wins; edited by hand, it keeps its comments, unknown keys,
other sections and order through the save, values its check boxes cannot hold set right. A
write-protected file of junk and values out of range: the largest halo inside the desktop, a
normal end, the file left byte for byte. Catches: an older file ignored, unsaved or preferred;
a save that drops or reorders lines; a crash, hang or box on a protected or damaged file."""
import random

from harness import *


def halo_radius(h, p, what):
    x, y = h.screen[0] // 2, h.screen[1] // 2
    h.move(x, y)
    time.sleep(0.4)
    rect = h.rect("class:" + SPOT_CLASS)
    w, hh = h.screen
    check(p.poll() is None and rect and rect[2] - rect[0] == rect[3] - rect[1] and 0 <= rect[0] and 0 <= rect[1]
          and rect[2] <= w and rect[3] <= hh, "%s the halo window is at %s (Glimmora ended: %s)" % (what, rect, p.poll()))
    return (rect[2] - rect[0]) // 2


def main(h):
    h.start_target()
    h.no_settings()
    older = os.path.join(h.work, "older")
    os.makedirs(older)
    for name in ("Glimmora.exe", "dsmouse.dll"):
        shutil.copy2(os.path.join(h.bin, name), older)
    exe, beside = os.path.join(older, "Glimmora.exe"), os.path.join(older, "Glimmora.ini")
    old = b"[Settings]\r\nHaloSize=30\r\nCrosshair=1\r\nLanguage=3\r\nHotKeyBlinkKeyCode=66\r\n"
    h.write_settings(old, beside)
    p = h.start_glimmora(exe)
    check(halo_radius(h, p, "beside an older file of HaloSize=30") == 30, "the older file's halo size was not read")
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    saved = h.read_settings()
    got = {k: saved.get(k) for k in ("HaloSize", "Crosshair", "Language", "HotKeyBlinkKeyCode")}
    check(got == {"HaloSize": "30", "Crosshair": "1", "Language": "3", "HotKeyBlinkKeyCode": "66"},
          "after taking the older file over the per-user file holds %s" % got)
    check(len(saved) >= 79, "the per-user file holds %d keys, not all" % len(saved))
    check(open(beside, "rb").read() == old, "the older file beside the program was changed")

    head = b"; edited by hand\r\n[Settings]\r\n; my halo\r\n"
    tail = b"\r\n[Other]\r\nA=1\r\n"
    h.write_settings(head + b"halo = 5\r\nMyOwnKey=abc\r\nHaloSize=60\r\nCrosshair=-3\r\nHaloColor=254\r\n" + tail)
    p = h.start_glimmora(exe)
    check(halo_radius(h, p, "with both files") == 60, "the older file won over the per-user file")
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s" % p.returncode)
    after = open(h.ini_path, "rb").read()
    # The keys the file lacked follow its last key, before the blank line that ends the section.
    kept = head + b"Halo=1\r\nMyOwnKey=abc\r\nHaloSize=60\r\nCrosshair=0\r\nHaloColor=255\r\n"
    check(after.startswith(kept) and after.endswith(tail) and after.count(b"[Settings]") == 1,
          "a hand-edited file reads after a run: %r...%r; expected %r...%r" % (after[:120], after[-40:], kept, tail))
    check(len(h.read_settings()) >= 80, "the hand-edited file lost keys: %s" % h.read_settings())

    junk = bytes(b for b in random.Random(7).randbytes(3000) if b not in b"[=")
    content = junk + b"\r\n[Settings]\r\nHaloSize=100000\r\nHaloTrans=300\r\n" + b"\x01\x7f\xff=\r\n" * 3
    h.write_settings(content)
    subprocess.run(["chattr", "+i", h.ini_path], check=True)
    try:
        p = h.start_glimmora()
        check(halo_radius(h, p, "with a damaged file") == 300, "HaloSize=100000 did not end at the largest halo")
        check(h.stop_glimmora(p) == 0, "with a write-protected file Glimmora ended with exit code %s" % p.returncode)
    finally:
        subprocess.run(["chattr", "-i", h.ini_path])
    check(open(h.ini_path, "rb").read() == content, "the write-protected settings file changed")


run(main)
