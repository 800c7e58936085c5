// Ten thousand seeded random actions of a person in the page: pointer moves,
// clicks, double-clicks, drags and keys anywhere. Nothing may raise an error in
// the console, and no frame may report or draw something that is not a number.
// When an action ends the program, the page is loaded again and the run goes on.
import { test } from "node:test";
import assert from "node:assert/strict";
import { openBrowser, openPage, stats, until } from "./browser.mjs";

const kActions = 10000;
const kSeed = 20261208;
const kKeys = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "PageUp", "PageDown", "Home", "End",
               "Tab", "Shift+Tab", "Space", "Enter", "a", "7"];

// A small seeded generator (mulberry32), so a failing run can be repeated.
function generator(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  return {next, below: (n) => Math.floor(next() * n), pick: (list) => list[Math.floor(next() * list.length)]};
}

test(`${kActions} seeded random actions leave no console error and nothing that is not a number`, async () => {
  const session = await openBrowser();
  const random = generator(kSeed);
  let loads = 0;
  let actionsInLoad = 0;
  let current;
  const load = async () => {
    current = await openPage(session);
    ++loads;
    actionsInLoad = 0;
  };
  // Each load's last figures: nothing may have been reported or drawn that is not a number.
  const check = async () => {
    const figures = await stats(current.page);
    assert.deepEqual(current.errors, [], `console errors in load ${loads}`);
    assert.equal(figures.nonNumbers, 0, `frame reports with a value that is not a number, load ${loads}`);
    assert.equal(figures.nonFiniteShapes, 0, `shapes with a coordinate that is not a number, load ${loads}`);
    return figures;
  };
  const point = () => [random.next() * 960, random.next() * 662];

  try {
    await load();
    for (let i = 0; i < kActions; ++i) {
      const {page} = current;
      const kind = random.below(1000);
      let mayEnd = true;
      if (kind < 350) {
        await page.mouse.move(...point(), {steps: 1 + random.below(2)});
        mayEnd = false;
      } else if (kind < 550) {
        await page.mouse.click(...point());
      } else if (kind < 553) {
        await page.mouse.dblclick(...point());
      } else if (kind < 680) {
        await page.mouse.move(...point());
        await page.mouse.down();
        await page.mouse.move(...point(), {steps: 2 + random.below(2)});
        await page.mouse.up();
      } else if (kind < 960) {
        await page.keyboard.press(random.below(400) === 0 ? "Escape" : random.pick(kKeys));
      } else {
        await page.waitForTimeout(random.below(40));
        mayEnd = false;
      }
      ++actionsInLoad;
      if (mayEnd && await page.evaluate(() => !document.getElementById("ended").hidden)) {
        await check();
        await load();
      }
    }
    // The last load still animates once the pointer leaves the red cross.
    await current.page.mouse.move(405, 574);
    const frames = (await check()).frames;
    await until(current.page, (n) => TorlinPage.stats.frames > n, frames);
    await check();
    console.log(`${kActions} actions in ${loads} loads of the page; the last load took ${actionsInLoad}`);
  } finally {
    await session.close();
  }
});
