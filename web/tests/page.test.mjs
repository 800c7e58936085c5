// The page as a person uses it, judged by its pixels and its DOM.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { decodePng, openBrowser, openPage, pictureHash, pixel, stats, until } from "./browser.mjs";

const kWhite = [255, 255, 255];
const kRedCross = [734.77, 409.8];  // the origin of window units, in client pixels
const kFreeSurface = [405, 574];    // clear of every control and label
const kPlot = {left: 60, top: 450, right: 600, bottom: 662};

// The controls' designed rectangles, in client pixels.
const kPlaces = {
  VScroll1: [912, 192, 17, 145], VScroll2: [648, 272, 17, 137], Command1: [872, 392, 73, 41],
  Command2: [872, 440, 73, 41], Label1: [640, 528, 305, 97], HScroll1: [872, 488, 73, 17],
  Label2: [8, 8, 177, 377], Command3: [896, 160, 49, 25], Command4: [632, 240, 49, 25],
  Command5: [872, 16, 73, 41],
};

// Red pixels of the plot: the lift curves.
const redInPlot = (page) => page.evaluate((p) => {
  const data = document.getElementById("surface").getContext("2d")
    .getImageData(p.left, p.top, p.right - p.left, p.bottom - p.top).data;
  let n = 0;
  for (let i = 0; i < data.length; i += 4) n += data[i] === 255 && data[i + 1] === 0 && data[i + 2] === 0;
  return n;
}, kPlot);


const face = (page, id) => page.$eval(`#${id}`, (e) => getComputedStyle(e).backgroundColor);
const label2 = (page) => page.$eval("#Label2", (e) => e.textContent);
const framesNow = async (page) => (await stats(page)).frames;
const waitFrames = async (page, count) => {
  const from = await framesNow(page);
  await until(page, (n) => TorlinPage.stats.frames >= n, from + count);
};

// Lengths of the runs of two or more blanks in a text.
const blankRuns = (text) => (text.match(/ {2,}/g) ?? []).map((run) => run.length);

describe("the page", () => {
  let session;
  before(async () => { session = await openBrowser(); });
  after(async () => { await session.close(); });

  test("starts with the background, the controls at their places and the caption as title", async () => {
    const {page, errors} = await openPage(session);
    for (const [id, [x, y, w, h]] of Object.entries(kPlaces)) {
      const box = await page.$eval(`#${id}`, (e) => e.getBoundingClientRect().toJSON());
      assert.deepEqual([box.x, box.y, box.width, box.height], [x, y, w, h], id);
    }
    assert.deepEqual(await pixel(page, 625, 300), [0, 192, 192], "teal frame");
    assert.deepEqual(await pixel(page, 406, 656), [192, 192, 192], "silver base line");
    assert.deepEqual(await pixel(page, 300, 300), kWhite);
    assert.equal(await page.$eval("title", (e) => e.textContent),
                 "  Torlin Brennick" + " ".repeat(24) +
                 "Click on the buttons, on the window, move the scroll bars, approach lower red cross, etc");
    assert.equal(await page.$eval("#Command4", (e) => e.textContent), " auto");
    assert.deepEqual(await page.$eval("#VScroll2", (e) => [e.getAttribute("aria-label"), e.title, e.getAttribute("aria-valuenow")]),
                     ["Orange control shaft", "Orange control shaft (eccentric): how far the valve opens", "200"]);
    assert.deepEqual(await page.$$eval(".control", (all) => all.filter((e) => e.tabIndex > 0)
      .sort((a, b) => a.tabIndex - b.tabIndex).map((e) => e.id)),
      ["VScroll1", "VScroll2", "Command1", "Command2", "HScroll1", "Command3", "Command4", "Command5"]);
    const font = await page.$eval("#Label2", (e) => [getComputedStyle(e).fontSize, getComputedStyle(e).whiteSpace]);
    assert.deepEqual(font, ["13px", "break-spaces"]);
    assert.ok(await page.evaluate(() => document.fonts.check('bold 13px "Liberation Sans"')));
    assert.deepEqual(blankRuns(await label2(page)), [2, 8, 51, 30, 30, 9]);
    assert.deepEqual(errors, []);
  });

  test("the cam turns; auto turns cyan and the curves pile up; CLS clears and repaints", async () => {
    const {page, errors} = await openPage(session);
    const cam = await pictureHash(page, 640, 40, 240, 200);
    await waitFrames(page, 3);
    assert.notEqual(await pictureHash(page, 640, 40, 240, 200), cam, "the cam outline moves");

    await page.focus("#HScroll1");
    await page.keyboard.press("End");  // ten degrees a frame: a revolution in 36 frames
    await page.click("#Command3");
    await until(page, () => getComputedStyle(document.getElementById("Command3")).backgroundColor === "rgb(0, 255, 255)");
    assert.equal(await face(page, "Command4"), "rgb(224, 224, 224)");
    const oneCurve = await redInPlot(page);
    await waitFrames(page, 36 * 5);
    const piled = await redInPlot(page);
    assert.ok(piled > oneCurve + 300, `curves pile up: ${oneCurve} then ${piled} red pixels`);

    await page.click("#Command1");
    await waitFrames(page, 2);
    const cleared = await redInPlot(page);
    assert.ok(cleared < piled / 2, `CLS clears the plot: ${piled} then ${cleared} red pixels`);
    assert.deepEqual(await pixel(page, 406, 656), [192, 192, 192], "the background is painted again");
    assert.deepEqual(blankRuns(await label2(page)).slice(0, 1), [42], "with the next page");
    assert.deepEqual(errors, []);
  });

  test("the pointer on the red cross pauses: no frame, no picture, no work while it stays", async () => {
    const {page, errors} = await openPage(session);
    await page.mouse.move(...kRedCross);
    await until(page, () => TorlinPage.stats.frameWork.length > 0);
    await page.waitForTimeout(200);
    await page.mouse.move(kRedCross[0] + 1, kRedCross[1] + 1);  // still inside: a move is no frame either
    await page.waitForTimeout(100);
    const snapshot = () => page.evaluate(() => {
      const s = TorlinPage.stats;
      return {frames: s.frames, presents: s.presents, turns: s.turns, work: s.frameWork.length};
    });
    const before = await snapshot();
    const picture = await pictureHash(page);
    await page.waitForTimeout(600);
    assert.deepEqual(await snapshot(), before, "the program sleeps");
    assert.equal(await pictureHash(page), picture);

    await page.mouse.move(...kFreeSurface);
    await waitFrames(page, 5);
    assert.deepEqual(errors, []);
  });

  test("clicks show the three pages in turn, every blank kept", async () => {
    const {page} = await openPage(session);
    const pages = [await label2(page)];
    for (let i = 0; i < 3; ++i) {
      await page.mouse.click(...kFreeSurface);
      await until(page, (last) => document.getElementById("Label2").textContent !== last, pages.at(-1));
      await page.waitForTimeout(400);  // no double-click with the next one
      pages.push(await label2(page));
    }
    assert.deepEqual(pages.map(blankRuns), [[2, 8, 51, 30, 30, 9], [42, 66, 63], [42, 19, 6], [2, 8, 51, 30, 30, 9]]);
    await page.click("#Label2");
    await until(page, (first) => document.getElementById("Label2").textContent !== first, pages[0]);
  });

  test("scroll bars step by arrow and page, answer the keyboard and drag", async () => {
    const {page} = await openPage(session);
    const value = (i) => page.evaluate((i) => TorlinPage.bar(i).value, i);
    const [x, y, w, h] = kPlaces.VScroll1;
    await page.mouse.click(x + w / 2, y + h - 5);  // the lower arrow
    assert.equal(await value(0), 61);
    await page.mouse.click(x + w / 2, y + h - 25);  // the trough below the thumb
    assert.equal(await value(0), 66);
    await page.keyboard.press("ArrowUp");
    assert.equal(await value(0), 65);

    await page.focus("#VScroll2");
    await page.keyboard.press("PageDown");
    assert.equal(await value(1), 250);
    await page.keyboard.press("End");
    await page.keyboard.press("PageDown");
    assert.equal(await value(1), 700);

    const thumb = await page.$eval("#HScroll1 .thumb", (e) => e.getBoundingClientRect().toJSON());
    await page.mouse.move(thumb.x + thumb.width / 2, thumb.y + thumb.height / 2);
    await page.mouse.down();
    await page.mouse.move(thumb.x - 100, thumb.y + thumb.height / 2, {steps: 5});
    await page.mouse.up();
    assert.equal(await value(2), 25);
  });

  for (const [how, end] of [
    ["Escape", (page) => page.keyboard.press("Escape")],
    ["QUIT", (page) => page.click("#Command2")],
    ["a double-click", (page) => page.mouse.dblclick(...kFreeSurface)],
  ]) {
    test(`${how} ends: the animation stops, the surface is cleared, one line says how to start again`, async () => {
      const {page, errors} = await openPage(session);
      await page.focus("#VScroll2");
      await end(page);
      await until(page, () => !document.getElementById("ended").hidden);
      const frames = await framesNow(page);
      await page.waitForTimeout(300);
      assert.equal(await framesNow(page), frames);
      const white = await page.evaluate(() => {
        const c = document.getElementById("surface");
        return c.getContext("2d").getImageData(0, 0, c.width, c.height).data.every((v) => v === 255);
      });
      assert.ok(white, "the surface is white");
      assert.equal(await page.$eval("#ended", (e) => e.textContent),
                   "Torlin has ended. Reload the page to start it again.");
      assert.equal(await page.$eval("#Command1", (e) => getComputedStyle(e).visibility), "hidden");
      assert.deepEqual(errors, []);
    });
  }
});

test("a small viewport scales the client area down; the pointer still finds the red cross", async () => {
  const session = await openBrowser({width: 480, height: 400, scale: 2});
  try {
    const {page} = await openPage(session);
    const box = await page.$eval("#client", (e) => e.getBoundingClientRect().toJSON());
    assert.deepEqual([box.width, box.height], [480, 331]);
    assert.equal(await page.$eval("#surface", (e) => e.width), 1920, "device pixels");
    await page.mouse.move(box.left + kRedCross[0] / 2, box.top + kRedCross[1] / 2);
    await page.waitForTimeout(200);
    const frames = await framesNow(page);
    await page.waitForTimeout(300);
    assert.equal(await framesNow(page), frames, "paused");
  } finally {
    await session.close();
  }
});

// Reached with the keyboard, a scroll bar shows the window's focus ring: two black
// pixels just outside it on every side, its own border unchanged. A click gives
// it the focus without the ring, as in the window.
test("a scroll bar reached by Tab shows the window's focus ring", async () => {
  const session = await openBrowser();
  try {
    const {page} = await openPage(session);
    const box = await page.$eval("#client", (e) => e.getBoundingClientRect().toJSON());
    const [left, top, width, height] = kPlaces.VScroll1.map((v, i) => v + (i === 0 ? box.left : i === 1 ? box.top : 0));
    const ringAt = (shot) => {
      const dark = [];
      for (const d of [1, 2]) {
        dark.push(shot.at(left - d, top + height / 2), shot.at(left + width - 1 + d, top + height / 2),
                  shot.at(left + width / 2, top - d), shot.at(left + width / 2, top + height - 1 + d));
      }
      return dark.map((rgb) => Math.max(...rgb));
    };
    const border = (shot) => shot.at(left, top + height / 2);
    const before = decodePng(await page.screenshot());
    await page.keyboard.press("Tab");
    assert.equal(await page.evaluate(() => document.activeElement.id), "VScroll1");
    const ringed = decodePng(await page.screenshot());
    assert.deepEqual(ringAt(ringed), Array(8).fill(0));
    assert.deepEqual(border(ringed), border(before));
    await page.mouse.click(left + width / 2, top + height / 2);
    const clicked = decodePng(await page.screenshot());
    assert.ok(ringAt(clicked).every((v) => v > 200), String(ringAt(clicked)));
  } finally {
    await session.close();
  }
});

// Scaled down, the picture is filtered as the desktop's scaled view does it: every
// thin grey grid line leaves a trace along its whole length (sampling would drop
// some lines and cut slanted ones into dashes). The window sits in the middle of
// the browser's.
test("a page smaller than designed scales its picture smoothly and sits centred", async () => {
  const session = await openBrowser({width: 600, height: 400});
  try {
    const {page, errors} = await openPage(session);
    const box = await page.$eval("#client", (e) => e.getBoundingClientRect().toJSON());
    // The line below is the Explorer's link's.
    const link = await page.$eval("#explorer-link", (e) => e.getBoundingClientRect().toJSON());
    const scale = (400 - link.height - 4) / 662;
    assert.ok(Math.abs(box.width - 960 * scale) < 0.01 && Math.abs(box.height - 662 * scale) < 0.01, JSON.stringify(box));
    assert.ok(Math.abs(box.left - (600 - box.width) / 2) < 0.01 && Math.abs(box.top) < 0.01, JSON.stringify(box));
    const shot = decodePng(await page.screenshot());
    const shown = (x, y) => [Math.round(box.left + (x + 0.5) * scale - 0.5), Math.round(box.top + (y + 0.5) * scale - 0.5)];
    const darkest = (x, y) => {
      let least = 255;
      for (let dy = -1; dy <= 1; ++dy)
        for (let dx = -1; dx <= 1; ++dx) least = Math.min(least, ...shot.at(x + dx, y + dy));
      return least;
    };
    const unitX = (x) => (x + 134) * 82.24999237 / 15;
    const unitY = (y) => (75 - y) * 81.95977 / 15;
    let shades = 0;
    for (const x of [-115, -83.5, -67.75, -52]) {
      for (let row = 395; row <= 445; row += 2) {
        const [sx, sy] = shown(Math.round(unitX(x)), row);
        assert.ok(darkest(sx, sy) < 250, `vertical grid line at ${x} missing at client row ${row}`);
        shades += shot.at(sx, sy).some((v) => v > 224 && v < 255);
      }
    }
    for (const y of [-25, -5, 15, 35]) {
      for (let column = 400; column <= 520; column += 4) {
        const [sx, sy] = shown(column, Math.round(unitY(y)));
        assert.ok(darkest(sx, sy) < 250, `horizontal grid line at ${y} missing at client column ${column}`);
      }
    }
    assert.ok(shades > 10, `filtered shades between grey and white: ${shades}`);
    assert.deepEqual(errors, []);
  } finally {
    await session.close();
  }
});

// The way to the Explorer is never under the client area: scaled down to fit, the
// area leaves a line below it for the link; on a phone held upright the Explorer
// comes first, readable, and the area takes the screen's width under a hint to
// turn the phone. The drawing itself keeps its designed pixels.
test("at 1024x600 and on a 390 px phone the Explorer's link is clear of the client area and readable", async () => {
  const boxes = async (width, height) => {
    const session = await openBrowser({width, height});
    try {
      const {page, errors} = await openPage(session);
      const found = await page.evaluate(() => {
        const box = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
        const link = document.getElementById("explorer-link");
        return {client: box("client"), link: box("explorer-link"), hint: box("turn-hint"), surface: document.getElementById("surface").width,
                fontPx: Number.parseFloat(getComputedStyle(link).fontSize), onTop: document.elementFromPoint(box("explorer-link").x + 5, box("explorer-link").y + 5) === link};
      });
      assert.deepEqual(errors, []);
      return found;
    } finally {
      await session.close();
    }
  };
  const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
  const desk = await boxes(1024, 600);
  assert.ok(apart(desk.client, desk.link), JSON.stringify(desk));
  assert.ok(desk.onTop && desk.link.bottom <= 600 && desk.client.top >= 0, JSON.stringify(desk));
  assert.equal(desk.surface, 960);
  const phone = await boxes(390, 844);
  assert.ok(phone.link.bottom <= phone.hint.top && phone.hint.bottom <= phone.client.top, JSON.stringify(phone));
  assert.ok(Math.abs(phone.client.width - 390) < 0.01 && phone.fontPx >= 16 && phone.onTop, JSON.stringify(phone));
  assert.ok(phone.hint.height > 0);
  assert.equal(phone.surface, 960);
});
