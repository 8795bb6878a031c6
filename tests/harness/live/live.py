"""Starting and stopping a live stand for the tests of its page."""
import os
import re
import signal
import subprocess
import tempfile


class LiveStand:
    """scrapdeck-stand --serve on a free loopback port, with a set-up scenario and any
    further options (--disk-from DIR, --disk DIR)."""

    def __init__(self, stand, image, setup_text, options=()):
        self.folder = tempfile.mkdtemp(prefix="scrapdeck-live-")
        self.setup = os.path.join(self.folder, "setup.scn")
        with open(self.setup, "w") as f:
            f.write(setup_text)
        self.stand, self.image = stand, image
        self.process = subprocess.Popen(
            [stand, "--serve", "127.0.0.1:0", "--setup", self.setup, *options, image],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()  # the stand prints it once it listens
        match = re.match(r"serving (http://127\.0\.0\.1:(\d+)/)", line)
        if not match:
            self.stop()
            raise RuntimeError("the stand does not serve: %r %s" % (line, self.process.stderr.read()))
        self.url, self.port = match.group(1), int(match.group(2))

    def alive(self):
        return self.process.poll() is None

    def stop(self):
        """Ends the stand with SIGTERM; its exit code (0 when it ended cleanly)."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        try:
            return self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return self.process.wait()

    def replay(self, scenario_text, options=()):
        """Runs a scenario through the stand; (exit code, transcript)."""
        path = os.path.join(self.folder, "session.scn")
        with open(path, "wb") as f:
            f.write(scenario_text.encode("utf-8", "surrogateescape"))
        run = subprocess.run([self.stand, *options, self.image, path], capture_output=True,
                             text=True, errors="replace", timeout=60)
        return run.returncode, run.stdout + run.stderr


def report(failures):
    """Prints the failures and the verdict of a test that is one case; its exit code."""
    for f in failures:
        print("FAIL " + f)
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0
