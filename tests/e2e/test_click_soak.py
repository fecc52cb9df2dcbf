"""2000 fast clicks while Glimmora runs: every click starts a click indicator and its fade,
so anything leaked per click (a brush, a DC, a bitmap, a timer) adds up. The program must
stay alive and answering, and its resident memory must stay within a small bound.

Under Wine the GDI and USER object counts cannot be read (GetGuiResources is a stub), so
the process's resident memory is the witness; a warm-up round comes first so that caches
and the seventeen indicator windows are all in use before the first measurement."""
import time

from harness import *

CLICKS = 2000
CHUNK = 250
GROWTH_LIMIT_KIB = 2 * 1024


def main(h):
    h.no_settings()
    h.start_target()
    p = h.start_glimmora()
    x, y = h.free_points(1, 120)[0]
    h.move(x, y)

    def clicks(n):
        done = 0
        while done < n:
            h.xdotool("click", "--repeat", min(CHUNK, n - done), "--delay", 5, 1)
            done += min(CHUNK, n - done)
            check(p.poll() is None, "Glimmora ended after %d fast clicks (exit code %s)" % (done, p.returncode))
        # Let the last indicators fade out before measuring.
        time.sleep(1.5)

    clicks(300)
    before = rss_kib(p.pid)
    started = time.monotonic()
    clicks(CLICKS)
    after = rss_kib(p.pid)
    log("%d clicks in %.1f s; resident memory %d KiB before, %d KiB after (%+d KiB)"
        % (CLICKS, time.monotonic() - started, before, after, after - before))
    check(h.winctl("responsive", SETTINGS_TITLE)[0] == 0, "after %d clicks the settings window does not answer" % CLICKS)
    check(after - before <= GROWTH_LIMIT_KIB, "resident memory grew by %d KiB over %d clicks (limit %d KiB)"
          % (after - before, CLICKS, GROWTH_LIMIT_KIB))
    received = len(h.target_clicks())
    check(received >= CLICKS + 300 - 5, "only %d of %d clicks reached the target window below the overlays"
          % (received, CLICKS + 300))
    check(h.stop_glimmora(p) == 0, "Glimmora ended with exit code %s after the clicks" % p.returncode)


run(main)
