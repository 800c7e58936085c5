// Heat maps of one quantity over the two shafts.
import {axis, makeChart} from "./charts.js";
import {loadModelKey, loadsReady} from "./map.js";
import {choose} from "./mode.js";
import {clamp, finite, shown} from "./numbers.js";
import {$, Explorer, kLoadsAt, kStride} from "./state.js";

export let heatList = null;
export function heatQuantities() {
  heatList ??= [
    ...Explorer.facts.summary.map((c, i) => ({...c, index: 2 + i}))
      .filter((c) => ["maxLift_mm", "duration1mm_crankDeg", "duration0.1mm_crankDeg", "maxLiftAt_crankDeg"].includes(c.column)),
    ...Explorer.facts.loads.map((c, i) => ({...c, index: kLoadsAt + i, loads: true})),
  ];
  return heatList;
}
export const heatQuantity = () => heatQuantities().find((q) => q.column === $("heat-quantity").value) ?? heatQuantities()[0];
export const heatName = (q) => `${q.label}${q.colourBySize ? ", size" : ""} (${q.unit})`;
export const atSpeed = (q) => (q.atEngineSpeed ? ` at ${shown(Explorer.state.rpm, 0)} rpm` : "");

// The number a cell's colour stands for: a torque's size; a speed up to the scale's top.
export function colourValue(q, v) {
  if (!finite(v)) return v;
  const size = q.colourBySize ? Math.abs(v) : v;
  return finite(q.colourTop) ? Math.min(size, q.colourTop) : size;
}

// torlin-modes' colour scale (its stops come from the C++), from low to high.
export function heatColour(t) {
  const stops = Explorer.facts.scaleStops;
  const at = Math.min(1, Math.max(0, finite(t) ? t : 0));
  let upper = 1;
  while (upper + 1 < stops.length && stops[upper].at < at) ++upper;
  const a = stops[upper - 1];
  const b = stops[upper];
  const s = (at - a.at) / (b.at - a.at);
  const mix = (from, to) => Math.round(from + (to - from) * s);
  return `rgb(${mix(a.red, b.red)}, ${mix(a.green, b.green)}, ${mix(a.blue, b.blue)})`;
}

// Where each of a bar's values has its cells: halfway to its neighbours, and half a
// mean step beyond the outer values, so that a grid of rounded values has no gaps.
export function cellEdges(values) {
  const sorted = [...new Set(values)].sort((a, b) => a - b);
  const half = sorted.length > 1 ? (sorted.at(-1) - sorted[0]) / (2 * (sorted.length - 1)) : 0.5;
  return new Map(sorted.map((v, k) => [v, [k > 0 ? (sorted[k - 1] + v) / 2 : v - half,
                                           k + 1 < sorted.length ? (v + sorted[k + 1]) / 2 : v + half]]));
}

// A mode's cell in the chart's canvas pixels: lever across, eccentric up.
function cellBox(u, heat, l, e) {
  const [l0, l1] = heat.leverEdges.get(l);
  const [e0, e1] = heat.eccentricEdges.get(e);
  return {x0: u.valToPos(l0, "x", true), x1: u.valToPos(l1, "x", true), y0: u.valToPos(e1, "y", true), y1: u.valToPos(e0, "y", true)};
}

// The map's cells in the chart's plot area, drawn once into a picture of their own
// for each size of the chart: choosing a mode only draws its ring on top again. A
// heat map of its own colours (heat.colourAt) paints each cell with it.
export function heatCells(u, heat) {
  const {quantity, lo, hi, rows, total} = heat;
  const {left, top, width, height} = u.bbox;
  const picture = document.createElement("canvas");
  picture.width = Math.max(1, Math.round(width));
  picture.height = Math.max(1, Math.round(height));
  const ctx = picture.getContext("2d");
  const span = hi - lo || 1;
  for (let i = 0; i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    ctx.fillStyle = heat.colourAt ? heat.colourAt(i) : finite(v) ? heatColour((v - lo) / span) : "#ddd";
    const {x0, x1, y0, y1} = cellBox(u, heat, rows[i * kStride], rows[i * kStride + 1]);
    // Whole pixels, each cell's edge where its neighbour's begins: no seams, no overlaps.
    const [px0, px1, py0, py1] = [x0 - left, x1 - left, y0 - top, y1 - top].map(Math.round);
    ctx.fillRect(px0, py0, px1 - px0, py1 - py0);
  }
  return picture;
}

export function paintHeat(u, heat) {
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
  ctx.strokeStyle = heat.ring ?? "#fff";
  ctx.lineWidth = 2 * devicePixelRatio;
  ctx.beginPath();
  ctx.arc(u.valToPos(s.lever, "x", true), u.valToPos(s.eccentric, "y", true), 6 * devicePixelRatio, 0, 2 * Math.PI);
  ctx.stroke();
  // The cell the keys have reached, while the heat map has the focus.
  const cell = !heat.colourAt && document.activeElement === $("heat") ? heatCursor() : null;
  if (cell) {
    const i = cell.l * Explorer.map.steps + cell.e;
    const {x0, x1, y0, y1} = cellBox(u, heat, heat.rows[i * kStride], heat.rows[i * kStride + 1]);
    const pad = 2 * devicePixelRatio;
    ctx.lineWidth = 2 * devicePixelRatio;
    ctx.strokeStyle = "#000";
    ctx.strokeRect(x0 - pad, y0 - pad, x1 - x0 + 2 * pad, y1 - y0 + 2 * pad);
    ctx.strokeStyle = "#fff";
    ctx.strokeRect(x0 - 2 * pad, y0 - 2 * pad, x1 - x0 + 4 * pad, y1 - y0 + 4 * pad);
  }
  ctx.restore();
}

// True while a map has no values of the quantity at the page's engine speed and load
// model yet; they are asked for.
export function valuesWaiting(map, quantity) {
  const loads = map.loads;
  const waiting = quantity.loads &&
    (!loads || loads.model !== loadModelKey() || (quantity.atEngineSpeed && loads.rpm !== Explorer.state.rpm) || loads.done < map.total);
  if (waiting) loadsReady(map);
  return waiting;
}

// Where a map's modes have their cells, by their bar values.
export const heatGrid = ({rows, steps}) => ({
  leverEdges: cellEdges(Array.from({length: steps}, (_, l) => rows[l * steps * kStride])),
  eccentricEdges: cellEdges(Array.from({length: steps}, (_, e) => rows[e * kStride + 1])),
});

// A heat map's chart over the two shafts, its cells painted from heat.
export function heatChart(key, element, title, heat) {
  const f = Explorer.facts;
  const steps = Explorer.map.steps;
  const cellW = (f.lever.max - f.lever.min) / Math.max(1, steps - 1);
  const cellH = (f.eccentric.max - f.eccentric.min) / Math.max(1, steps - 1);
  const options = {
    title, height: 300, legend: {show: false}, cursor: {show: false},
    scales: {x: {time: false, auto: false, range: [f.lever.min - cellW / 2, f.lever.max + cellW / 2]},
             y: {auto: false, range: [f.eccentric.min - cellH / 2, f.eccentric.max + cellH / 2]}},
    axes: [{...axis("green control shaft (lever) bar value"), grid: {show: false}},
           {...axis("orange control shaft (eccentric) bar value"), grid: {show: false}}],
    series: [{}, {label: heat.quantity.label, stroke: "transparent", points: {show: false}}],
    hooks: {drawClear: [(u) => paintHeat(u, heat)]},
  };
  const chart = makeChart(key, element, options, [[f.lever.min, f.lever.max], [null, null]]);
  chart.heat = heat;
  return chart;
}

// Draws the heat map of the quantity chosen, once the map (and for a load, the map's
// loads) is complete; a mode chosen only redraws the chart (markHeat).
export function drawHeat() {
  const {rows, done, total} = Explorer.map;
  if (done < total) return;
  const quantity = heatQuantity();
  const waiting = valuesWaiting(Explorer.map, quantity);
  let lo = Infinity;
  let hi = -Infinity;
  for (let i = 0; !waiting && i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    if (finite(v)) { lo = Math.min(lo, v); hi = Math.max(hi, v); }
  }
  if (!(hi >= lo)) { lo = 0; hi = 1; }
  // Empty cells until the loads are there: the chart must not show the last map's.
  const shownRows = waiting ? new Float64Array(rows.length).fill(NaN) : rows;
  if (waiting) for (let i = 0; i < total; ++i) shownRows.set(rows.subarray(i * kStride, i * kStride + 2), i * kStride);
  const heat = {quantity, lo, hi, rows: shownRows, total, ...heatGrid(Explorer.map), size: null, picture: null};
  const title = `${heatName(quantity)}${atSpeed(quantity)} over the two shafts`;
  const chart = heatChart("heat", $("heat"), title, heat);
  const scale = $("heat-scale");
  if (waiting) {
    scale.replaceChildren(`The loads of the map at ${shown(Explorer.state.rpm, 0)} rpm are being computed…`);
    return;
  }
  const bar = document.createElement("span");
  bar.className = "gradient";
  bar.style.background = `linear-gradient(to right, ${Explorer.facts.scaleStops.map((s) => `${heatColour(s.at)} ${100 * s.at}%`).join(", ")})`;
  const low = document.createElement("span");
  low.textContent = `${shown(lo, 2)} ${quantity.unit}`;
  const high = document.createElement("span");
  high.textContent = `${shown(hi, 2)}${finite(quantity.colourTop) && hi >= quantity.colourTop ? " and above" : ""} ${quantity.unit}`;
  scale.replaceChildren(low, bar, high);
  chart.colourScale = {title: heatName(quantity), colour: heatColour, lowText: low.textContent, highText: high.textContent};
  showHeatCell();
}

// The chosen mode's ring (and the keys' cell) drawn again over the same cells.
export function markHeat() {
  Explorer.charts.heat?.redraw(false, false);
  Explorer.charts.difference?.redraw(false, false);
}

export function heatClick(event, chart = Explorer.charts.heat) {
  if (!chart) return;
  const f = Explorer.facts;
  const lever = clamp(Math.round(chart.posToVal(event.offsetX, "x")), f.lever.min, f.lever.max);
  const eccentric = clamp(Math.round(chart.posToVal(event.offsetY, "y")), f.eccentric.min, f.eccentric.max);
  choose(lever, eccentric, true);
}

// The keys' cell of the heat map, as lever row and eccentric column of the map:
// where the keys left it, else the cell nearest the chosen mode.
let heatAt = null;
// A mode chosen elsewhere moves the keys' cell to it.
export const forgetHeatCursor = () => { heatAt = null; };
export function heatCursor() {
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
export function showHeatCell() {
  const cell = document.activeElement === $("heat") ? heatCursor() : null;
  const heat = Explorer.charts.heat?.heat;
  if (!cell || !heat) { $("heat-cell").textContent = ""; return; }
  const i = cell.l * Explorer.map.steps + cell.e;
  const r = heat.rows.subarray(i * kStride, (i + 1) * kStride);
  const v = r[heat.quantity.index];
  $("heat-cell").textContent = `lever ${r[0]}, eccentric ${r[1]}: ${heat.quantity.label} ` +
    (finite(v) ? `${shown(v)} ${heat.quantity.unit}` : "none") + " (Enter chooses it)";
}

// Arrow keys move the heat map's cell (right: more lever, up: more eccentric; with
// Shift ten cells); Enter or Space chooses its mode.
export function heatKey(event) {
  const cell = heatCursor();
  if (!cell || !Explorer.charts.heat) return;
  const move = {ArrowRight: [1, 0], ArrowLeft: [-1, 0], ArrowUp: [0, 1], ArrowDown: [0, -1]}[event.key];
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
