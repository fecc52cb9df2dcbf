"""Restart as administrator, between two real processes. Glimmora is told it runs below the
administrator (every Wine process is one) and the target, another program, comes to the front:
the notice shows near the pointer in the keyboard display's look. A setting is changed in the
settings window, then the program menu's "Restart as administrator" starts the copy through the
system ("runas" starts it here without asking) and the old one ends. Catches: a copy taken for a
second start (it ends and the old one opens its help window, or both end), two instances left,
the old one's windows or tray icon left, the change lost on the way. The old process is made to
hold its single-instance mutex a few seconds after its windows are gone, as a slow system may."""
from harness import *

EXE = "GlimmoraTrace.exe"
HELP = language_text("en", 77)
NOTICE_CLASS = "Glimmora_frmNotice"
NOTICE_TEXT_COLOUR = (192, 64, 0)
CHK_CROSSHAIR = 1040
# Below the administrator, and slow to end: the old process holds its mutex for 3 s after its windows have gone.
MEDIUM_AND_SLOW = {"GLIMMORA_OWN_INTEGRITY": "0x2000", "GLIMMORA_EXIT_DELAY_MS": "3000"}


def main(h):
    h.write_settings({"Crosshair": 0, "Halo": 0})
    h.start_target()
    old = h.start_glimmora(EXE, env=MEDIUM_AND_SLOW)

    # Another program in front: the notice, in the list's white box with its orange text.
    x, y = 640, 560   # below the settings window: the notice stands on the target alone
    h.move(x, y)
    h.focus(TARGET_TITLE)
    check(h.wait_window("visible", "class:" + NOTICE_CLASS, 4) is not None, "no notice with the target in front")
    rect = h.rect("class:" + NOTICE_CLASS)
    check(abs(rect[0] - x) < 60 and abs(rect[1] - y) < 60, "the notice is at %s, not near the pointer" % (rect,))
    s = h.shot()
    inside = [s.pixel(x, y) for y in range(rect[1] + 3, rect[3] - 3) for x in range(rect[0] + 3, rect[2] - 3)]
    background = alpha_from_percent(20)
    check(sum(close_to(p, blend((255, 255, 255), background), 8) for p in inside) > len(inside) // 2 and
          any(close_to(p, blend(NOTICE_TEXT_COLOUR, background), 30) for p in inside),
          "the notice at %s is not a white box with orange text (%s)" % (rect, s.path))
    h.crop(s, rect, "admin-notice.png")

    # A change just before the restart, through the settings window.
    h.focus()
    h.click_child(SETTINGS_TITLE, CHK_CROSSHAIR, 8)
    check(h.children()[CHK_CROSSHAIR]["checked"], "the cross hair box did not take the click")
    h.menu_keys(*(["Down"] * 9), "Return")   # Help, Blink, Pause, Language, Options, Extras, Default, Boundary, Restart
    h.ended(old, "choosing Restart as administrator", 15)
    check(old.returncode == 0, "the old instance ended with exit code %s" % old.returncode)

    h.wait_for("the copy", lambda: h.windows_pids(EXE), 10)
    check(h.wait_window("visible", SETTINGS_TITLE, 20) is not None, "the copy showed no settings window")
    h.wait_window("exists", "class:Glimmora_TrayIcon", 10)
    time.sleep(2.0)   # a help window sent by a second-start signal would be up by now
    pids = h.windows_pids(EXE)
    check(len(pids) == 1, "Glimmora processes after the restart: %s" % pids)
    check(h.winctl("exists", HELP)[0] != 0, "the copy was taken for a second start: the help window shows")
    owners = {w["pid"] for w in h.windows() if w["cls"].startswith("Glimmora_")}
    check(len(owners) == 1, "windows of Glimmora belong to %d processes after the restart" % len(owners))
    check(h.read_settings().get("Crosshair") == "1", "the change before the restart is not in the settings file")
    check(h.children()[CHK_CROSSHAIR]["checked"], "the copy does not show the change made before the restart")

run(main)
