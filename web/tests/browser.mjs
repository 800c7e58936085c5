// Opens the built page in Debian's headless Chromium, served from this machine,
// for the browser tests and the measurements. Nothing is downloaded.
import { mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import { inflateSync } from "node:zlib";
import { chromium } from "playwright-core";
import { serve } from "../serve.mjs";

const kRoot = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
export const kBuilt = join(kRoot, "build", "web");

// A browser with a fresh profile and a server on a free loopback port; close()
// ends both. Pages open at the given viewport size and device pixel ratio; at the
// designed size by default, where the centred client area fills the page, so that
// client pixels are page pixels.
export async function openBrowser({width = 960, height = 662, scale = 1} = {}) {
  const profile = await mkdtemp(join(tmpdir(), "torlin-chromium-"));
  const server = await serve(kBuilt, 0);
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.TORLIN_CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    viewport: {width, height},
    deviceScaleFactor: scale,
    args: [
      "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
    ],
  });
  const url = `http://127.0.0.1:${server.address().port}/`;
  return {
    browser,
    url,
    async close() {
      await browser.close();
      await new Promise((done) => server.close(done));
      await rm(profile, {recursive: true, force: true});
    },
  };
}

// A new page at the given size with Torlin loaded and its first picture shown.
// The page's console errors and uncaught exceptions are collected in errors.
// Pages stay open until the next openPage of the session or its close().
export async function openPage(session, {query = ""} = {}) {
  for (const open of session.browser.pages()) await open.close();
  const page = await session.browser.newPage();
  const errors = [];
  page.on("console", (message) => { if (message.type() === "error") errors.push(message.text()); });
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(session.url + query);
  await page.waitForFunction(() => typeof TorlinPage !== "undefined" && TorlinPage.stats.frames > 0);
  return {page, errors};
}

// Polls fn in the page until it returns a true value.
export function until(page, fn, arg, timeout = 30000) {
  return page.waitForFunction(fn, arg, {timeout, polling: 20});
}

export const stats = (page) => page.evaluate(() => {
  const s = TorlinPage.stats;
  return {frames: s.frames, presents: s.presents, nonNumbers: s.nonNumbers, nonFiniteShapes: s.nonFiniteShapes};
});

// The colour of a client-area pixel on the surface, as [r, g, b].
export const pixel = (page, x, y) => page.evaluate(([x, y]) => {
  const canvas = document.getElementById("surface");
  const ratio = canvas.width / 960;
  const data = canvas.getContext("2d").getImageData(Math.floor(x * ratio), Math.floor(y * ratio), 1, 1).data;
  return [data[0], data[1], data[2]];
}, [x, y]);

// A fingerprint of the pixels of a part of the surface (device pixels), for
// comparing pictures without carrying them out of the page.
export const pictureHash = (page, x = 0, y = 0, w = null, h = null) => page.evaluate(([x, y, w, h]) => {
  const canvas = document.getElementById("surface");
  const data = canvas.getContext("2d").getImageData(x, y, w ?? canvas.width, h ?? canvas.height).data;
  const words = new Uint32Array(data.buffer);
  let hash = 2166136261;
  for (let i = 0; i < words.length; ++i) hash = Math.imul(hash ^ words[i], 16777619);
  return hash >>> 0;
}, [x, y, w, h]);

// The pixels of a PNG as the browser's screenshot writes it (8 bits a channel, RGB
// or RGBA, not interlaced): {width, height, at(x, y) -> [r, g, b]}.
export function decodePng(png) {
  let at = 8, width = 0, height = 0, channels = 0;
  const data = [];
  while (at < png.length) {
    const length = png.readUInt32BE(at);
    const type = png.toString("latin1", at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || (body[9] !== 2 && body[9] !== 6)) throw new Error("unexpected PNG kind");
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === "IDAT") {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let i = 0; i < stride; ++i) {
      const x = raw[y * (stride + 1) + 1 + i];
      const a = i >= channels ? pixels[y * stride + i - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + i] : 0;
      const c = i >= channels && y > 0 ? pixels[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predicted = [0, a, b, (a + b) >> 1, paeth][filter];
      pixels[y * stride + i] = (x + predicted) & 255;
    }
  }
  return {
    width, height,
    at: (x, y) => [0, 1, 2].map((k) => pixels[Math.floor(y) * stride + Math.floor(x) * channels + k]),
  };
}
