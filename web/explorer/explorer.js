// The Explorer's page: asks its worker (the C++ analysis in WebAssembly) for the map,
// a mode's curves and table, and targets, and draws the answers with uPlot. The page
// computes nothing of the mechanism itself. State lives in the address, so that a
// copied link shows the same view and back and forward step through choices.
"use strict";

const kMaxPins = 6;
// Per mode of the map: lever, eccentric, the nine summary columns, then the three
// load values (NaN until the map's loads are computed at the engine speed).
const kSummaryCount = 9;
const kLoadsAt = 2 + kSummaryCount;
const kLoadsCount = 3;
const kStride = kLoadsAt + kLoadsCount;
const kLift = 2;     // maxLift_mm
const kDuration = 10;  // duration1mm_crankDeg
// A worker's slice puts the mode's index in front of its values.
const kMapSliceStride = 1 + kLoadsAt;
const kLoadsSliceStride = 1 + kLoadsCount;
const kPinColours = ["#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf"];
const $ = (id) => document.getElementById(id);

const Explorer = {
  facts: null,
  map: {rows: new Float64Array(0), done: 0, total: 0, speed: 400, steps: 100, run: 0, filled: new Uint8Array(0), loads: null},
  state: {lever: 60, eccentric: 200, rpm: 3000, pins: [], target: null},
  detail: null,
  target: null,
  pinDetails: new Map(),
  charts: {},
  drawing: 0,  // questions on their way to the screen
  stats: {mapStartedAt: 0, mapMs: null, loadsMs: null, detailMs: [], detailWorkerMs: [], targetMs: [], errors: 0},
};
window.Explorer = Explorer;

// ---- numbers ---------------------------------------------------------------------

const finite = (v) => typeof v === "number" && Number.isFinite(v);
function shown(value, digits = 3) {
  if (!finite(value)) return "–";
  const magnitude = Math.abs(value);
  if (magnitude !== 0 && (magnitude >= 1e6 || magnitude < 1e-3)) return value.toExponential(digits);
  return value.toFixed(magnitude >= 1000 ? 0 : digits);
}
const clamp = (v, lo, hi) => Math.min(hi, Math.max(lo, v));
const nullIfNaN = (array) => Array.from(array, (v) => (finite(v) ? v : null));

// ---- the workers ----------------------------------------------------------------

// One worker answers for modes and targets, so that the map never delays an
// answer; the map is shared among as many more as the machine has cores (at most 4).
// The WebAssembly is compiled once, here, for every worker: each compiling (and
// optimising) its own copy would take the processors the map needs. The single-file
// edition carries it in the page.
const compiledWasm = $("wasm-base64")
  ? WebAssembly.compile(Uint8Array.from(atob($("wasm-base64").textContent.trim()), (c) => c.charCodeAt(0)))
  : fetch("torlin-explorer.wasm").then((response) => {
    if (!response.ok) throw new Error(`torlin-explorer.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  }).then((bytes) => WebAssembly.compile(bytes));

function makeWorker() {
  const inline = document.getElementById("worker-source");
  // The single-file edition: the worker's script comes from the page.
  const created = inline ? new Worker(URL.createObjectURL(new Blob([inline.textContent], {type: "text/javascript"})))
    : new Worker("explorer-worker.js");
  compiledWasm.then((wasmModule) => created.postMessage({kind: "start", wasmModule}),
                    (error) => console.error(`Explorer: the WebAssembly did not load: ${error}`));
  created.onmessage = ({data}) => {
    if (data.kind === "map") return mapSlice(data);
    if (data.kind === "loads") return loadsSlice(data);
    const waiting = pending.get(data.id);
    pending.delete(data.id);
    if (!waiting) return;
    if (data.error) waiting.reject(new Error(data.error));
    else waiting.resolve(waiting.timed ? data.result : data.result.value);
  };
  created.onerror = (event) => { console.error(`Explorer worker: ${event.message}`); };
  return created;
}
let nextId = 1;
let nextRun = 1;  // numbers the map's and its loads' runs; the workers tag their slices with them
const pending = new Map();
const answerer = makeWorker();
const mappers = Array.from({length: clamp(navigator.hardwareConcurrency || 2, 1, 4)}, makeWorker);
// The answer's value; with timed, {value, workMs}: also how long the worker took.
function ask(kind, args, worker = answerer, timed = false) {
  const id = nextId++;
  return new Promise((resolve, reject) => {
    pending.set(id, {resolve, reject, timed});
    worker.postMessage({id, kind, args});
  });
}

// Asks at most one question of a kind at a time; a newer one waiting replaces an
// older one waiting, so dragging a slider never queues up stale work.
function latestOnly(run) {
  let busy = false;
  let queued = null;
  return async function go(...args) {
    if (busy) { queued = args; return; }
    busy = true;
    Explorer.drawing += 1;
    try { await run(...args); } catch (error) { console.error(String(error)); }
    busy = false;
    Explorer.drawing -= 1;
    if (queued) { const next = queued; queued = null; go(...next); }
  };
}

// ---- the address ------------------------------------------------------------------

function readAddress() {
  const q = new URLSearchParams(location.search);
  const s = Explorer.state;
  const f = Explorer.facts;
  const number = (name, fallback, lo, hi) => {
    const v = Number.parseFloat(q.get(name));
    return finite(v) ? clamp(v, lo, hi) : fallback;
  };
  s.lever = number("lever", f.lever.value, f.lever.min, f.lever.max);
  s.eccentric = number("eccentric", f.eccentric.value, f.eccentric.min, f.eccentric.max);
  s.rpm = number("rpm", 3000, 100, 20000);
  s.pins = q.getAll("pin").map((text) => text.split(",").map(Number.parseFloat))
    .filter((p) => p.length === 2 && p.every(finite))
    .map(([l, e]) => ({lever: clamp(l, f.lever.min, f.lever.max), eccentric: clamp(e, f.eccentric.min, f.eccentric.max)}))
    .slice(0, kMaxPins);
  const target = (q.get("target") ?? "").split(",").map(Number.parseFloat);
  s.target = target.length === 2 && target.every(finite) ? {lift: target[0], duration: target[1]} : null;
}

function addressOf(s) {
  const q = new URLSearchParams();
  q.set("lever", String(s.lever));
  q.set("eccentric", String(s.eccentric));
  q.set("rpm", String(s.rpm));
  for (const p of s.pins) q.append("pin", `${p.lever},${p.eccentric}`);
  if (s.target) q.set("target", `${s.target.lift},${s.target.duration}`);
  return `?${q}`;
}

// A finished choice adds a history entry; a slider on its way replaces the last one.
function writeAddress(push) {
  const next = addressOf(Explorer.state);
  if (next === location.search) return;
  if (push) history.pushState(null, "", next);
  else history.replaceState(null, "", next);
}

// ---- charts -----------------------------------------------------------------------

const kAxisFont = "12px 'Liberation Sans', Arial, sans-serif";
function axis(label) {
  return {label, font: kAxisFont, labelFont: kAxisFont, stroke: "#222", grid: {stroke: "#e4e4e4"}, ticks: {stroke: "#bbb"}};
}
function chartWidth(element) { return Math.max(260, Math.floor(element.clientWidth || 600)); }

// Charts follow their box's width when the layout reflows.
const resizer = new ResizeObserver((entries) => {
  for (const entry of entries) {
    const chart = Object.values(Explorer.charts).find((c) => c && c.root.parentElement === entry.target);
    if (chart) chart.setSize({width: chartWidth(entry.target), height: chart.height});
  }
});
function makeChart(key, element, options, data) {
  Explorer.charts[key]?.destroy();
  const chart = new uPlot({width: chartWidth(element), ...options}, data, element);
  Explorer.charts[key] = chart;
  resizer.observe(element);
  addChartExports(key, element, options.title);
  return chart;
}

// Merges curves with their own x values into uPlot's one shared x.
function aligned(curves) {
  const xs = [...new Set(curves.flatMap((c) => Array.from(c.x)))].sort((a, b) => a - b);
  const index = new Map(xs.map((x, i) => [x, i]));
  const data = [xs];
  for (const c of curves) {
    const ys = new Array(xs.length).fill(null);
    for (let i = 0; i < c.x.length; ++i) if (finite(c.y[i])) ys[index.get(c.x[i])] = c.y[i];
    data.push(ys);
  }
  return data;
}

function leverColour(lever) {
  const f = Explorer.facts.lever;
  const t = (lever - f.min) / (f.max - f.min);
  return `hsl(${110 - 60 * t}, 70%, ${18 + 52 * t}%)`;
}

// ---- the map and the plane ----------------------------------------------------------

function startMap() {
  const speed = clamp(Math.round(Number($("map-speed").value) || 400), Explorer.facts.speed.min, Explorer.facts.speed.max);
  const steps = clamp(Math.round(Number($("map-steps").value) || 100), 2, 200);
  $("map-speed").value = speed;
  $("map-steps").value = steps;
  const rows = new Float64Array(steps * steps * kStride).fill(NaN);
  const waiting = Explorer.map.loads?.waiting ?? [];
  Explorer.map = {rows, done: 0, total: steps * steps, speed, steps, run: nextRun++, filled: new Uint8Array(steps * steps), loads: null};
  Explorer.stats.mapStartedAt = performance.now();
  Explorer.stats.mapMs = null;
  // Whoever waited for the old map's loads waits for the new one's.
  if (waiting.length) newLoads().waiting.push(...waiting);
  showProgress();
  const map = Explorer.map;
  mappers.forEach((worker, part) => {
    ask("map", {run: map.run, speed, leverSteps: steps, eccentricSteps: steps, part, parts: mappers.length}, worker);
  });
}

// Puts a slice's values of each mode in their place in the map; returns how many
// were new.
function fill(rows, sliceStride, filled, at0) {
  const map = Explorer.map;
  let added = 0;
  for (let at = 0; at < rows.length; at += sliceStride) {
    const index = rows[at];
    if (filled[index]) continue;
    filled[index] = 1;
    map.rows.set(rows.subarray(at + 1, at + sliceStride), index * kStride + at0);
    ++added;
  }
  return added;
}

// A slice of the map from one of its workers, if it belongs to the map being drawn.
function mapSlice({run, rows}) {
  const map = Explorer.map;
  if (run !== map.run) return;
  map.done += fill(rows, kMapSliceStride, map.filled, 0);
  showProgress();
  if (map.done >= map.total && Explorer.stats.mapMs === null) {
    Explorer.stats.mapMs = performance.now() - Explorer.stats.mapStartedAt;
    drawPlane();
    if (map.loads) sendLoads(map.loads);
    drawHeat();
    if (Explorer.state.target && !Explorer.target) solveTarget(false);
  } else if (performance.now() - (map.drawnAt ?? 0) > 250) {
    map.drawnAt = performance.now();
    drawPlane();
  }
}

// ---- the map's loads ------------------------------------------------------------------

// The map's load summaries cost more than the map itself, so they are computed only
// when asked for (a heat map of a load, the map's CSV), at the engine speed of the
// chosen mode, once the map is complete.
function newLoads() {
  const map = Explorer.map;
  for (let i = 0; i < map.total; ++i) map.rows.fill(NaN, i * kStride + kLoadsAt, (i + 1) * kStride);
  // Whoever waited for loads at another speed waits for these.
  const waiting = map.loads?.waiting ?? [];
  map.loads = {rpm: Explorer.state.rpm, run: null, done: 0, filled: new Uint8Array(map.total), waiting};
  return map.loads;
}

function sendLoads(loads) {
  if (loads.run !== null) return;
  loads.run = nextRun++;
  loads.startedAt = performance.now();
  for (const worker of mappers) ask("loads", {run: loads.run, rpm: loads.rpm}, worker);
  showProgress();
}

// Resolves once the map's loads at the engine speed are complete.
function loadsReady() {
  const map = Explorer.map;
  const loads = map.loads?.rpm === Explorer.state.rpm ? map.loads : newLoads();
  if (map.done >= map.total) sendLoads(loads);
  if (loads.done >= map.total) return Promise.resolve();
  return new Promise((resolve) => loads.waiting.push(resolve));
}

function loadsSlice({run, rows}) {
  const map = Explorer.map;
  const loads = map.loads;
  if (!loads || run !== loads.run) return;
  loads.done += fill(rows, kLoadsSliceStride, loads.filled, kLoadsAt);
  showProgress();
  if (loads.done < map.total) return;
  Explorer.stats.loadsMs = performance.now() - loads.startedAt;
  for (const resolve of loads.waiting.splice(0)) resolve();
  drawHeat();
}

// A new engine speed: the map's loads at the old one are computed again at once if a
// heat map shows one that depends on it (or an export waits for them); else they are
// given up (or, under a heat map of the separation speed, kept until needed).
function engineSpeedChanged() {
  const loads = Explorer.map.loads;
  if (!loads || loads.rpm === Explorer.state.rpm) return;
  const waiting = loads.waiting;
  const shownLoad = heatQuantity().loads;
  if (!waiting.length && shownLoad && !heatQuantity().atEngineSpeed) return;
  if (waiting.length || shownLoad) {
    loadsReady();
  } else {
    Explorer.map.loads = null;
    if (loads.run !== null && loads.done < Explorer.map.total) for (const worker of mappers) ask("stop", {}, worker);
  }
  drawHeat();
  showProgress();
}

const loadsDone = () => !Explorer.map.loads || Explorer.map.loads.done >= Explorer.map.total;

function showProgress() {
  const {done, total, loads} = Explorer.map;
  const computingLoads = done >= total && loads && loads.done < total;
  $("map-progress").max = total;
  $("map-progress").value = computingLoads ? loads.done : done;
  $("progress-label").textContent = done < total ? `Computing the map: ${done} of ${total} modes`
    : computingLoads ? `Computing the map's loads at ${shown(loads.rpm, 0)} rpm: ${loads.done} of ${total} modes`
    : `Map of ${total} modes ready`;
  $("progress-line").classList.toggle("done", done >= total && !computingLoads);
}

// The map's points, one list per lever value of the map (the markers go on top).
function planeData() {
  const {rows, steps} = Explorer.map;
  const series = [];
  for (let l = 0; l < steps; ++l) {
    const xs = [];
    const ys = [];
    for (let e = 0; e < steps; ++e) {
      const i = l * steps + e;
      const x = rows[i * kStride + kDuration];
      const y = rows[i * kStride + kLift];
      if (finite(x) && finite(y)) { xs.push(x); ys.push(y); }
    }
    series.push({lever: Explorer.facts.lever.min + (l * (Explorer.facts.lever.max - Explorer.facts.lever.min)) / Math.max(1, steps - 1), xs, ys});
  }
  return series;
}

function markers() {
  const d = Explorer.detail;
  const chosen = d ? [[d.duration], [d.maxLift]] : [[], []];
  const t = Explorer.state.target;
  const target = t ? [[t.duration], [t.lift]] : [[], []];
  const answers = Explorer.target ? [Explorer.target.modes.map((m) => m.duration), Explorer.target.modes.map((m) => m.lift)] : [[], []];
  return [chosen, target, answers];
}

// The map's points, drawn into a picture of their own under the markers: once for
// each size of the chart, and as the map fills only the points that are new (a lever
// row's points arrive in order); choosing a mode only draws the markers again. The
// picture goes on after the grid, where uPlot would draw a series.
let planePoints = {run: null, levels: [], size: null, picture: null, painted: []};
const kPointSize = 3;
function paintPlane(u) {
  const {left, top, width, height} = u.bbox;
  const size = `${width}x${height}`;
  if (planePoints.size !== size) {
    const picture = document.createElement("canvas");
    picture.width = Math.max(1, Math.round(width));
    picture.height = Math.max(1, Math.round(height));
    planePoints = {...planePoints, size, picture, painted: planePoints.levels.map(() => 0)};
  }
  const ctx = planePoints.picture.getContext("2d");
  const r = (kPointSize / 2) * devicePixelRatio;
  planePoints.levels.forEach((level, l) => {
    if (planePoints.painted[l] >= level.xs.length) return;
    ctx.fillStyle = leverColour(level.lever);
    ctx.beginPath();
    for (let k = planePoints.painted[l]; k < level.xs.length; ++k) {
      const x = u.valToPos(level.xs[k], "x", true) - left;
      const y = u.valToPos(level.ys[k], "y", true) - top;
      ctx.moveTo(x + r, y);
      ctx.arc(x, y, r, 0, 2 * Math.PI);
    }
    ctx.fill();
    planePoints.painted[l] = level.xs.length;
  });
  u.ctx.drawImage(planePoints.picture, left, top);
}

// The plane with the map as it is now.
function drawPlane() {
  const run = Explorer.map.run;
  const levels = planeData();
  planePoints = planePoints.run === run ? {...planePoints, levels}
    : {run, levels, size: null, picture: null, painted: []};
  if (Explorer.charts.plane) {
    markPlane();
    return;
  }
  const marker = (label, colour, size) => ({label, stroke: colour, fill: colour, paths: uPlot.paths.points(), points: {show: false, size}});
  const options = {
    title: "Maximum lift against duration above 1 mm",
    mode: 2, height: 360, legend: {show: false}, cursor: {drag: {x: false, y: false}, points: {show: false}},
    scales: {x: {time: false, auto: false, range: [0, 300]}, y: {auto: false, range: [0, 13]}},
    axes: [axis("duration above 1 mm (crank °)"), axis("maximum lift (mm)")],
    series: [{}, marker("chosen mode", "#000", 11), marker("target", "#e00", 13), marker("modes that reach it", "#f90", 9)],
    hooks: {drawAxes: [paintPlane]},
  };
  const chart = makeChart("plane", $("plane"), options, [null, ...markers()]);
  chart.dots = () => planePoints.levels.map((level) => ({...level, colour: leverColour(level.lever), size: kPointSize}));
  chart.over.addEventListener("mousemove", planeHover);
  chart.over.addEventListener("mouseleave", () => { $("plane-tip").hidden = true; });
  chart.over.addEventListener("click", planeClick);
}

// The chosen mode, the target and its answers moved over the same points.
function markPlane() {
  Explorer.charts.plane?.setData([null, ...markers()]);
}

// The map's mode nearest a point of the plane, within a few pixels.
function modeNear(left, top, pixels = 6) {
  const chart = Explorer.charts.plane;
  const {rows, total} = Explorer.map;
  let best = -1;
  let bestSq = pixels * pixels;
  for (let i = 0; i < total; ++i) {
    const x = rows[i * kStride + kDuration];
    const y = rows[i * kStride + kLift];
    if (!finite(x) || !finite(y)) continue;
    const dx = chart.valToPos(x, "x") - left;
    const dy = chart.valToPos(y, "y") - top;
    if (dx * dx + dy * dy < bestSq) { bestSq = dx * dx + dy * dy; best = i; }
  }
  return best;
}

function planeHover(event) {
  const tip = $("plane-tip");
  const i = modeNear(event.offsetX, event.offsetY);
  if (i < 0) { tip.hidden = true; return; }
  const r = Explorer.map.rows.subarray(i * kStride, (i + 1) * kStride);
  tip.textContent = `lever ${r[0]}, eccentric ${r[1]}: maximum lift ${shown(r[2])} mm, ` +
    `duration above 1 mm ${shown(r[10], 1)}°, opening ${shown(r[8], 1)}°, closing ${shown(r[9], 1)}°`;
  tip.hidden = false;
  const box = $("plane").getBoundingClientRect();
  tip.style.left = `${Math.min(event.clientX - box.left + 12, box.width - 260)}px`;
  tip.style.top = `${event.clientY - box.top + 12}px`;
}

function planeClick(event) {
  const chart = Explorer.charts.plane;
  const i = modeNear(event.offsetX, event.offsetY);
  if (i >= 0) {
    choose(Explorer.map.rows[i * kStride], Explorer.map.rows[i * kStride + 1], true);
    return;
  }
  const duration = chart.posToVal(event.offsetX, "x");
  const lift = chart.posToVal(event.offsetY, "y");
  setTarget(Number(lift.toFixed(3)), Number(duration.toFixed(2)));
}

// Arrow keys step the chosen mode through the map's grid.
function planeKey(event) {
  const steps = {ArrowUp: [1, 0], ArrowDown: [-1, 0], ArrowRight: [0, 1], ArrowLeft: [0, -1]}[event.key];
  if (!steps) return;
  event.preventDefault();
  const f = Explorer.facts;
  const grid = Explorer.map.steps - 1;
  const leverStep = (f.lever.max - f.lever.min) / grid;
  const eccentricStep = (f.eccentric.max - f.eccentric.min) / grid;
  const s = Explorer.state;
  choose(clamp(Math.round(s.lever + steps[0] * leverStep), f.lever.min, f.lever.max),
         clamp(Math.round(s.eccentric + steps[1] * eccentricStep), f.eccentric.min, f.eccentric.max), true);
}

// ---- heat maps ----------------------------------------------------------------------

let heatList = null;
function heatQuantities() {
  heatList ??= [
    ...Explorer.facts.summary.map((c, i) => ({...c, index: 2 + i}))
      .filter((c) => ["maxLift_mm", "duration1mm_crankDeg", "duration0.1mm_crankDeg", "maxLiftAt_crankDeg"].includes(c.column)),
    ...Explorer.facts.loads.map((c, i) => ({...c, index: kLoadsAt + i, loads: true})),
  ];
  return heatList;
}
const heatQuantity = () => heatQuantities().find((q) => q.column === $("heat-quantity").value) ?? heatQuantities()[0];
const heatName = (q) => `${q.label}${q.colourBySize ? ", size" : ""} (${q.unit})`;

// The number a cell's colour stands for: a torque's size; a speed up to the scale's top.
function colourValue(q, v) {
  if (!finite(v)) return v;
  const size = q.colourBySize ? Math.abs(v) : v;
  return finite(q.colourTop) ? Math.min(size, q.colourTop) : size;
}

function heatColour(t) {
  // Dark blue through green to yellow.
  return `hsl(${240 - 180 * t}, 75%, ${22 + 50 * t}%)`;
}

// The map's cells in the chart's plot area, drawn once into a picture of their own
// for each size of the chart: choosing a mode only draws its ring on top again.
function heatCells(u, heat) {
  const {quantity, lo, hi, rows, total, cellW, cellH} = heat;
  const {left, top, width, height} = u.bbox;
  const picture = document.createElement("canvas");
  picture.width = Math.max(1, Math.round(width));
  picture.height = Math.max(1, Math.round(height));
  const ctx = picture.getContext("2d");
  const span = hi - lo || 1;
  for (let i = 0; i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    const e = rows[i * kStride + 1];
    const l = rows[i * kStride];
    ctx.fillStyle = finite(v) ? heatColour((v - lo) / span) : "#ddd";
    const x0 = u.valToPos(e - cellW / 2, "x", true) - left;
    const x1 = u.valToPos(e + cellW / 2, "x", true) - left;
    const y0 = u.valToPos(l + cellH / 2, "y", true) - top;
    const y1 = u.valToPos(l - cellH / 2, "y", true) - top;
    ctx.fillRect(Math.floor(x0), Math.floor(y0), Math.ceil(x1 - x0) + 1, Math.ceil(y1 - y0) + 1);
  }
  return picture;
}

function paintHeat(u, heat) {
  const ctx = u.ctx;
  const {left, top, width, height} = u.bbox;
  const size = `${width}x${height}`;
  if (heat.size !== size) {
    heat.picture = heatCells(u, heat);
    heat.size = size;
  }
  ctx.save();
  ctx.beginPath();
  ctx.rect(left, top, width, height);
  ctx.clip();
  ctx.drawImage(heat.picture, left, top);
  const s = Explorer.state;
  ctx.strokeStyle = "#fff";
  ctx.lineWidth = 2 * devicePixelRatio;
  ctx.beginPath();
  ctx.arc(u.valToPos(s.eccentric, "x", true), u.valToPos(s.lever, "y", true), 6 * devicePixelRatio, 0, 2 * Math.PI);
  ctx.stroke();
  // The cell the keys have reached, while the heat map has the focus.
  const cell = document.activeElement === $("heat") ? heatCursor() : null;
  if (cell) {
    const i = cell.l * Explorer.map.steps + cell.e;
    const e = heat.rows[i * kStride + 1];
    const l = heat.rows[i * kStride];
    const x0 = u.valToPos(e - heat.cellW / 2, "x", true);
    const x1 = u.valToPos(e + heat.cellW / 2, "x", true);
    const y0 = u.valToPos(l + heat.cellH / 2, "y", true);
    const y1 = u.valToPos(l - heat.cellH / 2, "y", true);
    const pad = 2 * devicePixelRatio;
    ctx.lineWidth = 2 * devicePixelRatio;
    ctx.strokeStyle = "#000";
    ctx.strokeRect(x0 - pad, y0 - pad, x1 - x0 + 2 * pad, y1 - y0 + 2 * pad);
    ctx.strokeStyle = "#fff";
    ctx.strokeRect(x0 - 2 * pad, y0 - 2 * pad, x1 - x0 + 4 * pad, y1 - y0 + 4 * pad);
  }
  ctx.restore();
}

// Draws the heat map of the quantity chosen, once the map (and for a load, the map's
// loads) is complete; a mode chosen only redraws the chart (markHeat).
function drawHeat() {
  const {rows, done, total} = Explorer.map;
  if (done < total) return;
  const quantity = heatQuantity();
  const loads = Explorer.map.loads;
  const waiting = quantity.loads &&
    (!loads || (quantity.atEngineSpeed && loads.rpm !== Explorer.state.rpm) || loads.done < total);
  if (waiting) loadsReady();
  const f = Explorer.facts;
  const steps = Explorer.map.steps;
  let lo = Infinity;
  let hi = -Infinity;
  for (let i = 0; !waiting && i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    if (finite(v)) { lo = Math.min(lo, v); hi = Math.max(hi, v); }
  }
  if (!(hi >= lo)) { lo = 0; hi = 1; }
  const cellW = (f.eccentric.max - f.eccentric.min) / Math.max(1, steps - 1);
  const cellH = (f.lever.max - f.lever.min) / Math.max(1, steps - 1);
  // Empty cells until the loads are there: the chart must not show the last map's.
  const shownRows = waiting ? new Float64Array(rows.length).fill(NaN) : rows;
  if (waiting) for (let i = 0; i < total; ++i) shownRows.set(rows.subarray(i * kStride, i * kStride + 2), i * kStride);
  const heat = {quantity, lo, hi, rows: shownRows, total, cellW, cellH, size: null, picture: null};
  const at = quantity.atEngineSpeed ? ` at ${shown(Explorer.state.rpm, 0)} rpm` : "";
  const title = `${heatName(quantity)}${at} over the two shafts`;
  const options = {
    title, height: 300, legend: {show: false}, cursor: {show: false},
    scales: {x: {time: false, auto: false, range: [f.eccentric.min - cellW / 2, f.eccentric.max + cellW / 2]},
             y: {auto: false, range: [f.lever.min - cellH / 2, f.lever.max + cellH / 2]}},
    axes: [axis("orange control shaft (eccentric) bar value"), axis("green control shaft (lever) bar value")],
    series: [{}, {label: quantity.label, stroke: "transparent", points: {show: false}}],
    hooks: {drawClear: [(u) => paintHeat(u, heat)]},
  };
  const chart = makeChart("heat", $("heat"), options, [[f.eccentric.min, f.eccentric.max], [null, null]]);
  chart.heat = heat;
  const scale = $("heat-scale");
  if (waiting) {
    scale.replaceChildren(`The loads of the map at ${shown(Explorer.state.rpm, 0)} rpm are being computed…`);
    return;
  }
  const bar = document.createElement("span");
  bar.className = "gradient";
  bar.style.background = `linear-gradient(to right, ${[0, 0.25, 0.5, 0.75, 1].map(heatColour).join(", ")})`;
  const low = document.createElement("span");
  low.textContent = `${shown(lo, 2)} ${quantity.unit}`;
  const high = document.createElement("span");
  high.textContent = `${shown(hi, 2)}${finite(quantity.colourTop) && hi >= quantity.colourTop ? " and above" : ""} ${quantity.unit}`;
  scale.replaceChildren(low, bar, high);
  showHeatCell();
}

// The chosen mode's ring (and the keys' cell) drawn again over the same cells.
function markHeat() {
  Explorer.charts.heat?.redraw(false, false);
}

function heatClick(event) {
  const chart = Explorer.charts.heat;
  if (!chart) return;
  const f = Explorer.facts;
  const eccentric = clamp(Math.round(chart.posToVal(event.offsetX, "x")), f.eccentric.min, f.eccentric.max);
  const lever = clamp(Math.round(chart.posToVal(event.offsetY, "y")), f.lever.min, f.lever.max);
  choose(lever, eccentric, true);
}

// The keys' cell of the heat map, as lever row and eccentric column of the map:
// where the keys left it, else the cell nearest the chosen mode.
let heatAt = null;
function heatCursor() {
  const {rows, steps, done, total} = Explorer.map;
  if (done < total || steps < 1) return null;
  if (!heatAt || heatAt.steps !== steps) {
    const nearest = (value, at) => {
      let best = 0;
      for (let k = 1; k < steps; ++k) if (Math.abs(at(k) - value) < Math.abs(at(best) - value)) best = k;
      return best;
    };
    const s = Explorer.state;
    heatAt = {steps, l: nearest(s.lever, (l) => rows[l * steps * kStride]), e: nearest(s.eccentric, (e) => rows[e * kStride + 1])};
  }
  return heatAt;
}

// Says which cell the keys are on and its value, for the eye and the screen reader.
function showHeatCell() {
  const cell = document.activeElement === $("heat") ? heatCursor() : null;
  const heat = Explorer.charts.heat?.heat;
  if (!cell || !heat) { $("heat-cell").textContent = ""; return; }
  const i = cell.l * Explorer.map.steps + cell.e;
  const r = heat.rows.subarray(i * kStride, (i + 1) * kStride);
  const v = r[heat.quantity.index];
  $("heat-cell").textContent = `lever ${r[0]}, eccentric ${r[1]}: ${heat.quantity.label} ` +
    (finite(v) ? `${shown(v)} ${heat.quantity.unit}` : "none") + " (Enter chooses it)";
}

// Arrow keys move the heat map's cell (up: more lever, right: more eccentric; with
// Shift ten cells); Enter or Space chooses its mode.
function heatKey(event) {
  const cell = heatCursor();
  if (!cell || !Explorer.charts.heat) return;
  const move = {ArrowUp: [1, 0], ArrowDown: [-1, 0], ArrowRight: [0, 1], ArrowLeft: [0, -1]}[event.key];
  if (move) {
    event.preventDefault();
    const by = event.shiftKey ? 10 : 1;
    cell.l = clamp(cell.l + by * move[0], 0, cell.steps - 1);
    cell.e = clamp(cell.e + by * move[1], 0, cell.steps - 1);
  } else if (event.key === "Enter" || event.key === " ") {
    event.preventDefault();
    const i = cell.l * cell.steps + cell.e;
    choose(Explorer.map.rows[i * kStride], Explorer.map.rows[i * kStride + 1], true);
  } else {
    return;
  }
  markHeat();
  showHeatCell();
}

// ---- the chosen mode ---------------------------------------------------------------

function showShafts() {
  const s = Explorer.state;
  for (const [name, value] of [["lever", s.lever], ["eccentric", s.eccentric]]) {
    if (document.activeElement !== $(`${name}-number`)) $(`${name}-number`).value = String(value);
    $(`${name}-range`).value = String(value);
  }
  $("rpm").value = String(s.rpm);
  const lever = Math.round(s.lever);
  const eccentric = Math.round(s.eccentric);
  $("watch").href = `index.html?lever=${lever}&eccentric=${eccentric}`;
  $("watch-bars").textContent = `green bar to ${lever} and the orange bar to ${eccentric}`;
}

// The demonstration page lies beside the served Explorer. The single file opened
// from disk has none beside it (and the page would need a server): it says where to
// watch the mode instead of offering a link that leads nowhere; so does a served
// Explorer whose host has no demonstration page.
async function findDemonstration() {
  let there = location.protocol !== "file:";
  if (there) {
    try {
      there = (await fetch("index.html", {method: "HEAD", cache: "no-store"})).ok;
    } catch {
      there = false;
    }
  }
  $("watch").hidden = !there;
  $("watch-elsewhere").hidden = there;
}

function choose(lever, eccentric, push) {
  const f = Explorer.facts;
  if (!finite(lever) || !finite(eccentric)) return;
  Explorer.state.lever = clamp(lever, f.lever.min, f.lever.max);
  Explorer.state.eccentric = clamp(eccentric, f.eccentric.min, f.eccentric.max);
  heatAt = null;
  showShafts();
  requestDetail();  // first, so that the worker computes while the address is written
  writeAddress(push);
}

const requestDetail = latestOnly(async () => {
  const s = Explorer.state;
  const started = performance.now();
  const {value: detail, workMs} = await ask("detail", {lever: s.lever, eccentric: s.eccentric, speed: Explorer.map.speed, rpm: s.rpm}, answerer, true);
  Explorer.detail = detail;
  drawDetail(detail);
  await new Promise((done) => requestAnimationFrame(done));
  Explorer.stats.detailMs.push(performance.now() - started);
  Explorer.stats.detailWorkerMs.push(workMs);
});

function drawDetail(d) {
  $("lever-angle").textContent = `lever turned ${shown(d.leverDeg, 2)}°`;
  $("eccentric-angle").textContent = `eccentric at ${shown(d.eccentricDeg, 2)}°`;
  const whole = d.windowLever === d.lever && d.windowEccentric === d.eccentric;
  $("window-column").textContent = `window (bar values ${d.windowLever}, ${d.windowEccentric}${whole ? "" : ", the nearest whole ones"}; map speed ${Explorer.map.speed})`;
  $("mode-caption").textContent = `Lever ${shown(d.lever, 2)}, eccentric ${shown(d.eccentric, 2)} at ${shown(Explorer.state.rpm, 0)} rpm`;

  const body = $("mode-table").tBodies[0];
  const rows = d.rows.map((r) => {
    const tr = document.createElement("tr");
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = r.label;
    const unit = document.createElement("td");
    unit.textContent = r.unit;
    tr.append(th, unit);
    for (const model of ["window", "exact"]) {
      const td = document.createElement("td");
      td.className = "number";
      td.dataset.model = model;
      if (r[`${model}Column`]) td.dataset.column = r[`${model}Column`];
      if (finite(r[model])) {
        const data = document.createElement("data");
        data.value = String(r[model]);
        data.textContent = shown(r[model]);
        td.append(data);
      } else {
        td.textContent = "–";
      }
      tr.append(td);
    }
    return tr;
  });
  body.replaceChildren(...rows);

  const liftData = aligned([{x: d.crank, y: d.lift}, {x: d.windowCrank, y: d.windowLift}]);
  const liftOptions = {
    title: "Valve lift", height: 240,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, {label: "exact lift (mm)", stroke: "#1f4fb4", width: 2, spanGaps: false},
             {label: "window's lift at its frames (mm)", stroke: "#e07000", width: 0, spanGaps: false, points: {show: true, size: 5, fill: "#e07000"}}],
  };
  if (Explorer.charts.lift) Explorer.charts.lift.setData(liftData);
  else makeChart("lift", $("lift-chart"), liftOptions, liftData);

  const svajData = [Array.from(d.crank), nullIfNaN(d.velocity), nullIfNaN(d.acceleration), nullIfNaN(d.jerk)];
  const svajOptions = {
    title: "Velocity, acceleration and jerk (exact)", height: 260,
    scales: {x: {time: false, auto: false, range: [0, 720]}, v: {}, a: {}, j: {}},
    axes: [axis("crank angle (°)"), {...axis("velocity (mm/s)"), scale: "v"},
           {...axis("acceleration (m/s²)"), scale: "a", side: 1, grid: {show: false}}],
    series: [{label: "crank (°)"}, {label: "velocity (mm/s)", scale: "v", stroke: "#1f4fb4"},
             {label: "acceleration (m/s²)", scale: "a", stroke: "#d62728"},
             {label: "jerk (m/s³)", scale: "j", stroke: "#999", width: 1}],
  };
  if (Explorer.charts.svaj) Explorer.charts.svaj.setData(svajData);
  else makeChart("svaj", $("svaj-chart"), svajOptions, svajData);

  markPlane();
  markHeat();
}

// ---- target -------------------------------------------------------------------------

function setTarget(lift, duration) {
  Explorer.state.target = {lift, duration};
  $("target-lift").value = String(lift);
  $("target-duration").value = String(duration);
  writeAddress(true);
  solveTarget(true);
}

const solveTarget = latestOnly(async (chooseFirst) => {
  const t = Explorer.state.target;
  if (!t || Explorer.map.done < Explorer.map.total) {
    $("target-answer").textContent = t ? "The target is solved once the map is ready." : "";
    return;
  }
  const started = performance.now();
  $("target-answer").textContent = "Solving…";
  const {rows, total, steps} = Explorer.map;
  const lifts = new Float64Array(total);
  const durations = new Float64Array(total);
  for (let i = 0; i < total; ++i) { lifts[i] = rows[i * kStride + kLift]; durations[i] = rows[i * kStride + kDuration]; }
  const levers = Array.from({length: steps}, (_, l) => rows[l * steps * kStride]);
  const eccentrics = Array.from({length: steps}, (_, e) => rows[e * kStride + 1]);
  const answer = await ask("target", {lift: t.lift, duration: t.duration, levers, eccentrics, lifts, durations});
  Explorer.target = answer;
  Explorer.stats.targetMs.push(performance.now() - started);
  showTarget(answer, t);
  markPlane();
  if (chooseFirst && answer.modes.length) choose(answer.modes[0].lever, answer.modes[0].eccentric, false);
});

function showTarget(answer, t) {
  const box = $("target-answer");
  box.replaceChildren();
  const head = document.createElement("p");
  head.className = answer.reachable ? "reached" : "unreachable";
  head.textContent = answer.reachable
    ? `${shown(t.lift)} mm over ${shown(t.duration, 2)}° is reached by ${answer.modes.length === 1 ? "one mode" : `${answer.modes.length} modes`}:`
    : `${shown(t.lift)} mm over ${shown(t.duration, 2)}° is out of reach. The nearest reachable point:`;
  const list = document.createElement("ul");
  for (const m of answer.modes) {
    const item = document.createElement("li");
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = `lever ${shown(m.lever, 3)}, eccentric ${shown(m.eccentric, 3)}`;
    button.addEventListener("click", () => choose(m.lever, m.eccentric, true));
    item.append(button, ` gives ${shown(m.lift)} mm over ${shown(m.duration, 2)}°`);
    item.dataset.lever = m.lever;
    item.dataset.eccentric = m.eccentric;
    item.dataset.lift = m.lift;
    item.dataset.duration = m.duration;
    list.append(item);
  }
  box.append(head, list);
}

// ---- pinned modes -------------------------------------------------------------------

function pin() {
  const s = Explorer.state;
  if (s.pins.length >= kMaxPins) return;
  if (s.pins.some((p) => p.lever === s.lever && p.eccentric === s.eccentric)) return;
  s.pins.push({lever: s.lever, eccentric: s.eccentric});
  writeAddress(true);
  showPins();
}

function unpin(index) {
  Explorer.state.pins.splice(index, 1);
  writeAddress(true);
  showPins();
}

const pinKey = (p) => `${p.lever},${p.eccentric}`;
async function showPins() {
  const s = Explorer.state;
  $("pin").disabled = s.pins.length >= kMaxPins;
  const list = $("pins");
  list.replaceChildren(...s.pins.map((p, i) => {
    const item = document.createElement("li");
    item.style.borderLeftColor = kPinColours[i];
    const show = document.createElement("button");
    show.type = "button";
    show.textContent = `lever ${shown(p.lever, 2)}, eccentric ${shown(p.eccentric, 2)}`;
    show.addEventListener("click", () => choose(p.lever, p.eccentric, true));
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "Unpin";
    remove.setAttribute("aria-label", `Unpin lever ${p.lever}, eccentric ${p.eccentric}`);
    remove.addEventListener("click", () => unpin(i));
    item.append(show, " ", remove);
    return item;
  }));
  if (!s.pins.length) list.append(Object.assign(document.createElement("li"), {textContent: "None yet: “Pin this mode” adds the chosen mode (up to six)."}));
  for (const p of s.pins) {
    if (!Explorer.pinDetails.has(pinKey(p))) {
      Explorer.pinDetails.set(pinKey(p), await ask("detail", {lever: p.lever, eccentric: p.eccentric, speed: Explorer.map.speed, rpm: s.rpm}));
    }
  }
  drawCompare();
}

function drawCompare() {
  const pins = Explorer.state.pins.filter((p) => Explorer.pinDetails.has(pinKey(p)));
  const curves = pins.map((p) => { const d = Explorer.pinDetails.get(pinKey(p)); return {x: d.crank, y: d.lift}; });
  const data = curves.length ? aligned(curves) : [[0, 720]];
  const options = {
    title: "Exact lift of the pinned modes", height: 260,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, ...pins.map((p, i) => ({label: `lever ${shown(p.lever, 2)}, eccentric ${shown(p.eccentric, 2)} (mm)`, stroke: kPinColours[i], width: 2}))],
  };
  makeChart("compare", $("compare-chart"), options, data);
}

// ---- exports ------------------------------------------------------------------------

function download(name, type, content) {
  const url = URL.createObjectURL(new Blob([content], {type}));
  const a = Object.assign(document.createElement("a"), {href: url, download: name});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// The exact curves of some modes, every half crank degree, as torlin-modes --svaj
// writes them, with the mode's bar values in front of each row.
function curvesCsv(modes) {
  return ask("curvesCsv", {levers: modes.map((m) => m.lever), eccentrics: modes.map((m) => m.eccentric),
                           speed: Explorer.map.speed, rpm: Explorer.state.rpm, step: 0.5});
}

// The pinned modes' curves, or the chosen mode's when none is pinned.
async function exportCurves() {
  const s = Explorer.state;
  const csv = await curvesCsv(s.pins.length ? s.pins : [{lever: s.lever, eccentric: s.eccentric}]);
  download("torlin-pinned-curves.csv", "text/csv", csv);
  return csv;
}

// The map's CSV as torlin-modes --loads writes it at the engine speed: each worker's
// rows, put back in the map's order (lever row by lever row, as the workers took them
// in turn).
async function exportMap() {
  const header = await ask("mapCsvHeader", {});
  let lines;
  let steps;
  // The loads at the engine speed first; should the map or the speed change on the
  // way, the workers hand back nothing and the export waits for the new one.
  do {
    await loadsReady();
    steps = Explorer.map.steps;
    const parts = await Promise.all(mappers.map((worker) => ask("mapCsvRows", {}, worker)));
    lines = parts.map((text) => text.split("\n").filter(Boolean));
  } while (lines.reduce((sum, part) => sum + part.length, 0) !== steps * steps);
  const taken = lines.map(() => 0);
  let csv = header;
  for (let row = 0; row < steps; ++row) {
    const part = row % mappers.length;
    csv += lines[part].slice(taken[part], taken[part] + steps).map((line) => `${line}\n`).join("");
    taken[part] += steps;
  }
  download("torlin-mode-map.csv", "text/csv", csv);
  return csv;
}

function chartPng(chart) {
  const canvas = chart.ctx.canvas;
  const out = document.createElement("canvas");
  out.width = canvas.width;
  out.height = canvas.height + 30 * devicePixelRatio;
  const ctx = out.getContext("2d");
  ctx.fillStyle = "#fff";
  ctx.fillRect(0, 0, out.width, out.height);
  ctx.fillStyle = "#000";
  ctx.font = `${14 * devicePixelRatio}px 'Liberation Sans', Arial, sans-serif`;
  ctx.fillText(chart.title ?? "", 10 * devicePixelRatio, 20 * devicePixelRatio);
  ctx.drawImage(canvas, 0, 30 * devicePixelRatio);
  return out.toDataURL("image/png");
}

const escapeXml = (text) => String(text).replace(/[<>&"]/g, (c) => ({"<": "&lt;", ">": "&gt;", "&": "&amp;", "\"": "&quot;"})[c]);

// The chart as vector drawing: its axes with uPlot's own ticks, then every series
// as a polyline or as dots, and a heat map's cells.
function chartSvg(chart) {
  const w = chart.width;
  const h = chart.height;
  const b = chart.bbox;
  const r = devicePixelRatio;
  const left = b.left / r, top = b.top / r, width = b.width / r, height = b.height / r;
  const xPos = (v) => chart.valToPos(v, "x") + left;
  const parts = [`<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h + 30}" viewBox="0 -30 ${w} ${h + 30}" font-family="Liberation Sans, Arial, sans-serif" font-size="12">`,
                 `<rect x="0" y="-30" width="${w}" height="${h + 30}" fill="#fff"/>`,
                 `<text x="10" y="-10" font-size="14">${escapeXml(chart.title ?? "")}</text>`];
  if (chart.heat) {
    const {quantity, lo, hi, rows, total, cellW, cellH} = chart.heat;
    for (let i = 0; i < total; ++i) {
      const v = colourValue(quantity, rows[i * kStride + quantity.index]);
      const x0 = xPos(rows[i * kStride + 1] - cellW / 2), x1 = xPos(rows[i * kStride + 1] + cellW / 2);
      const y0 = chart.valToPos(rows[i * kStride] + cellH / 2, "y") + top, y1 = chart.valToPos(rows[i * kStride] - cellH / 2, "y") + top;
      parts.push(`<rect x="${x0.toFixed(1)}" y="${y0.toFixed(1)}" width="${(x1 - x0 + 0.5).toFixed(1)}" height="${(y1 - y0 + 0.5).toFixed(1)}" fill="${finite(v) ? heatColour((v - lo) / (hi - lo || 1)) : "#ddd"}"/>`);
    }
  }
  for (const {xs, ys, colour, size} of chart.dots?.() ?? []) {
    for (let k = 0; k < xs.length; ++k) {
      parts.push(`<circle cx="${xPos(xs[k]).toFixed(1)}" cy="${(chart.valToPos(ys[k], "y") + top).toFixed(1)}" r="${size / 2}" fill="${colour}"/>`);
    }
  }
  parts.push(`<rect x="${left}" y="${top}" width="${width}" height="${height}" fill="none" stroke="#888"/>`);
  chart.axes.forEach((a, i) => {
    if (!a.show || !a._splits) return;
    const scale = a.scale ?? (i === 0 ? "x" : "y");
    a._splits.forEach((v, k) => {
      const label = a._values?.[k] ?? "";
      if (i === 0) parts.push(`<text x="${xPos(v).toFixed(1)}" y="${top + height + 16}" text-anchor="middle">${escapeXml(label)}</text>`);
      else {
        const y = chart.valToPos(v, scale) + top;
        const x = a.side === 1 ? left + width + 4 : left - 4;
        parts.push(`<text x="${x}" y="${(y + 4).toFixed(1)}" text-anchor="${a.side === 1 ? "start" : "end"}">${escapeXml(label)}</text>`);
      }
    });
    const label = escapeXml(a.label ?? "");
    if (i === 0) parts.push(`<text x="${left + width / 2}" y="${top + height + 34}" text-anchor="middle">${label}</text>`);
    else {
      const x = a.side === 1 ? w - 6 : 14;
      parts.push(`<text transform="translate(${x},${top + height / 2}) rotate(-90)" text-anchor="middle">${label}</text>`);
    }
  });
  chart.series.forEach((s, i) => {
    if (i === 0 || !s.show) return;
    const facet = chart.mode === 2;
    const xs = facet ? chart.data[i][0] : chart.data[0];
    const ys = facet ? chart.data[i][1] : chart.data[i];
    if (!xs || !ys) return;
    const colour = typeof s._stroke === "string" ? s._stroke : (typeof s.stroke === "function" ? s.stroke(chart, i) : "#000");
    const dots = facet || s.width === 0;
    let path = "";
    for (let k = 0; k < xs.length; ++k) {
      if (!finite(xs[k]) || !finite(ys[k])) { path += " "; continue; }
      const x = xPos(xs[k]), y = chart.valToPos(ys[k], s.scale ?? "y") + top;
      if (dots) parts.push(`<circle cx="${x.toFixed(1)}" cy="${y.toFixed(1)}" r="${facet ? (s.points?.size ?? 3) / 2 : 2}" fill="${colour}"/>`);
      else path += `${path.endsWith(" ") || path === "" ? "M" : "L"}${x.toFixed(1)},${y.toFixed(1)}`;
    }
    if (!dots) for (const piece of path.split(" ").filter(Boolean)) parts.push(`<path d="${piece}" fill="none" stroke="${colour}" stroke-width="${s.width ?? 1}"/>`);
  });
  parts.push("</svg>");
  return parts.join("\n");
}

function addChartExports(key, element, title) {
  if (element.nextElementSibling?.classList.contains("chart-exports")) return;
  const bar = document.createElement("p");
  bar.className = "chart-exports";
  const make = (text, run) => {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = text;
    button.setAttribute("aria-label", `${text} of the chart “${title}”`);
    button.addEventListener("click", run);
    return button;
  };
  bar.append(make("PNG", () => { const c = Explorer.charts[key]; download(`torlin-${key}.png`, "image/png", dataUrlBytes(chartPng(c))); }),
             make("SVG", () => download(`torlin-${key}.svg`, "image/svg+xml", chartSvg(Explorer.charts[key]))));
  element.after(bar);
}

function dataUrlBytes(url) {
  return Uint8Array.from(atob(url.split(",")[1]), (c) => c.charCodeAt(0));
}

// ---- start ----------------------------------------------------------------------------

function wireShaft(name) {
  const f = Explorer.facts[name];
  const range = $(`${name}-range`);
  const number = $(`${name}-number`);
  for (const input of [range, number]) {
    input.min = String(f.min);
    input.max = String(f.max);
  }
  range.step = "0.1";
  number.title = f.description;
  const value = () => Explorer.state[name === "lever" ? "eccentric" : "lever"];
  range.addEventListener("input", () => {
    const v = Number(range.value);
    name === "lever" ? choose(v, value(), false) : choose(value(), v, false);
  });
  range.addEventListener("change", () => writeAddress(true));
  number.addEventListener("change", () => {
    const v = Number.parseFloat(number.value);
    if (!finite(v)) { showShafts(); return; }
    name === "lever" ? choose(v, value(), true) : choose(value(), v, true);
    number.value = String(Explorer.state[name]);
  });
}

function applyAddress() {
  readAddress();
  heatAt = null;
  showShafts();
  requestDetail();
  showPins();
  engineSpeedChanged();
  const t = Explorer.state.target;
  $("target-lift").value = t ? String(t.lift) : "";
  $("target-duration").value = t ? String(t.duration) : "";
  Explorer.target = null;
  if (t) solveTarget(false);
  else $("target-answer").replaceChildren();
}

async function start() {
  Explorer.facts = await ask("facts", {});
  wireShaft("lever");
  wireShaft("eccentric");
  $("rpm").addEventListener("change", () => {
    const v = Number.parseFloat($("rpm").value);
    Explorer.state.rpm = finite(v) ? clamp(v, 100, 20000) : Explorer.state.rpm;
    Explorer.pinDetails.clear();
    writeAddress(true);
    requestDetail();
    showPins();
    engineSpeedChanged();
  });
  $("pin").addEventListener("click", pin);
  $("plane").addEventListener("keydown", planeKey);
  $("heat").addEventListener("click", heatClick);
  $("heat").addEventListener("keydown", heatKey);
  for (const type of ["focus", "blur"]) $("heat").addEventListener(type, () => { markHeat(); showHeatCell(); });
  $("map-run").addEventListener("click", () => { Explorer.target = null; startMap(); });
  $("target-form").addEventListener("submit", (event) => {
    event.preventDefault();
    const lift = Number.parseFloat($("target-lift").value);
    const duration = Number.parseFloat($("target-duration").value);
    if (finite(lift) && finite(duration)) setTarget(lift, duration);
  });
  $("export-curves").addEventListener("click", exportCurves);
  $("export-map").addEventListener("click", exportMap);
  $("heat-quantity").replaceChildren(...heatQuantities().map((q) => Object.assign(document.createElement("option"), {value: q.column, textContent: heatName(q)})));
  $("heat-quantity").addEventListener("change", drawHeat);
  addEventListener("popstate", applyAddress);
  findDemonstration();
  startMap();
  applyAddress();
  Explorer.ready = true;
}

// True once every question asked has its answer drawn and the map is complete.
Explorer.idle = () => Explorer.ready === true && pending.size === 0 && Explorer.map.done >= Explorer.map.total && loadsDone() &&
  !Explorer.drawing;
Explorer.exportCurves = exportCurves;
Explorer.curvesCsv = curvesCsv;
Explorer.choose = choose;
Explorer.setTarget = setTarget;
Explorer.exportMap = exportMap;
Explorer.layout = {stride: kStride, loadsAt: kLoadsAt};
Explorer.chartSvg = (key) => chartSvg(Explorer.charts[key]);
Explorer.chartPng = (key) => chartPng(Explorer.charts[key]);
start();
