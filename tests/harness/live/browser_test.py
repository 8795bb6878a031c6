#!/usr/bin/env python3
"""The live stand's page in a real browser (headless Chromium through chromedriver):
a playback is started, STOP pressed, the prompt seen in the screen picture ("Keep"
on the green bar), LEFT (on the keyboard) and OK pressed, the recording's files seen to leave the
disk's list; the session is saved as a scenario and replays through the stand.

usage: browser_test.py STAND IMAGE [SCREENSHOT.png]"""
import os
import shutil
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from live import LiveStand  # noqa: E402

SETUP = """# Show.rec with its family, and a recording of a similar name that stays.
file /DataFiles/Show.rec 100
file /DataFiles/Show.rec.inf 10
file /DataFiles/Show.rec.nav 10
file /DataFiles/Show.srt 10
file /DataFiles/Showtime.rec 100
"""
FAMILY = ["/DataFiles/Show.rec", "/DataFiles/Show.rec.inf", "/DataFiles/Show.rec.nav",
          "/DataFiles/Show.srt"]
BAR = (0x9E, 0xE2, 0x89)  # the selected button's bar
KEEP, DELETE = (373, 313), (250, 313)  # a pixel of each button's bar

PIXEL = """
const img = document.getElementById("screen");
if (!img.complete || img.naturalWidth !== 720) return null;
const c = document.createElement("canvas");
c.width = 720; c.height = 576;
const g = c.getContext("2d");
g.drawImage(img, 0, 0);
return Array.from(g.getImageData(arguments[0], arguments[1], 1, 1).data.slice(0, 3));
"""


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--window-size=1400,1100",
                 "--user-data-dir=" + profile]:
        options.add_argument(flag)
    options.add_experimental_option("prefs", {"download.default_directory": profile})
    service = Service(executable_path=shutil.which("chromedriver") or "/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_page_load_timeout(20)
    driver.set_script_timeout(10)
    return driver


def main():
    stand, image = sys.argv[1], sys.argv[2]
    screenshot = sys.argv[3] if len(sys.argv) > 3 else None
    live = LiveStand(stand, image, SETUP)
    profile = tempfile.mkdtemp(prefix="scrapdeck-chromium-")
    driver = None
    step = "start"
    try:
        driver = browser(profile)
        wait = WebDriverWait(driver, 15, poll_frequency=0.1)

        def row(path):
            return driver.find_element(By.CSS_SELECTOR, 'tr[data-path="%s"]' % path)

        def listed(path):  # "here" or "gone", read in one go: the list is redrawn as it changes
            return driver.execute_script(
                'const r = document.querySelector(`tr[data-path="${arguments[0]}"]`);'
                'return r ? r.className : null;', path)

        def pixel(at):
            return tuple(driver.execute_script(PIXEL, *at) or ())

        def press(key):
            driver.find_element(By.CSS_SELECTOR, '#remote button[data-key="%s"]' % key).click()

        step = "the page shows the disk"
        driver.get(live.url)
        wait.until(lambda d: d.find_elements(By.CSS_SELECTOR, 'tr[data-path="/DataFiles/Show.rec"]'))
        step = "a playback starts"
        row("/DataFiles/Show.rec").find_element(By.TAG_NAME, "button").click()
        wait.until(lambda d: d.find_element(By.ID, "playing").text == "/DataFiles/Show.rec")
        step = "STOP, and the prompt with Keep selected"
        press("STOP")
        wait.until(lambda d: pixel(KEEP) == BAR and pixel(DELETE) != BAR)
        if screenshot:
            driver.save_screenshot(screenshot)
        step = "LEFT, on the computer's keyboard, selects Delete"
        driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ARROW_LEFT)
        wait.until(lambda d: pixel(DELETE) == BAR and pixel(KEEP) != BAR)
        step = "OK, and the family leaves the list"
        press("OK")
        wait.until(lambda d: all(listed(p) == "gone" for p in FAMILY))
        if listed("/DataFiles/Showtime.rec") != "here":
            raise AssertionError("Showtime.rec went too")
        step = "the session saved as a scenario"
        driver.find_element(By.ID, "save").click()
        wait.until(lambda d: "# The state reached" in d.find_element(By.ID, "scenario").text)
        scenario = driver.execute_script('return document.getElementById("scenario").textContent')
        for p in FAMILY:
            if "expect no-file %s\n" % p not in scenario:
                raise AssertionError("the scenario does not expect %s gone:\n%s" % (p, scenario))
        step = "the scenario replays"
        code, transcript = live.replay(scenario)
        if code != 0:
            raise AssertionError("replay exited %d:\n%s\n%s" % (code, scenario, transcript))
        if not live.alive():
            raise AssertionError("the stand ended")
    except Exception as e:  # noqa: BLE001 - any failure is this test's failure
        print("FAIL at '%s': %s: %s" % (step, type(e).__name__, e))
        print("0 passed, 1 failed")
        return 1
    finally:
        if driver:
            driver.quit()
        code = live.stop()
        shutil.rmtree(profile, ignore_errors=True)
    if code != 0:
        print("FAIL: the stand did not end cleanly on SIGTERM: %d" % code)
        print("0 passed, 1 failed")
        return 1
    print("browser: playback, STOP, prompt, LEFT, OK, files gone, scenario replayed")
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
